// The ranges a run finds while it writes its table give the plot what its own scan of the table
// gives, bit for bit: the same frame, the same calls, the same cause.
#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "core/calculation.h"
#include "plot/graphic.h"
#include "tests/plot/recording_surface.h"

namespace kemi::test {
namespace {

struct NoPlot : RunView {
  void showStepSize(const std::string&) override {}
  void appendLines(const std::array<std::string, 4>&) override {}
  std::optional<std::string> redraw(const Calculation&, double&, double&) override { return {}; }
};

std::string text(double v) {
  char buffer[32];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

bool sameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(RunRangesTest, GiveThePlotWhatItsOwnScanGives) {
  std::mt19937_64 rng(11);
  const double starts[] = {0.0, -0.0, 0.5, -1.0, 1e-300, -2.5, 3.0};
  const double values[] = {0.0, -0.0, -1.0, 2.0, 1e-300, -3e38};
  const double targets[] = {0.0, -0.0, 1.0, -1.0, 0.3, 1e-300, -0.5, -700.0, 40.0, 1e6};
  const double counts[] = {0.5, 1, 2, 3.5, 10, 97, 1000};
  Calculation calc;
  NoPlot view;
  int plotted = 0;
  for (int round = 0; round < 1500; ++round) {
    const Entries entries{
        text(starts[rng() % std::size(starts)]), text(values[rng() % std::size(values)]),
        text(targets[rng() % std::size(targets)]), text(counts[rng() % std::size(counts)])};
    if (!calc.run(entries, kMethods[rng() % kMethods.size()], view).completed) continue;
    const PlotInput known = plotInput(calc);
    ASSERT_TRUE(known.ranges.has_value());
    PlotInput scanned = known;
    scanned.ranges.reset();
    const double x1 = calc.exact().XA[static_cast<std::size_t>(calc.exact().npt)];

    const PlotFrame a = plotFrame(known, x1);
    const PlotFrame b = plotFrame(scanned, x1);
    const std::string where = entries.x0 + " " + entries.y0 + " " + entries.x1 + " " + entries.N;
    ASSERT_EQ(a.cause, b.cause) << where;
    ASSERT_EQ(a.last, b.last) << where;
    for (auto [p, q] : {std::pair{a.left, b.left},
                        {a.top, b.top},
                        {a.right, b.right},
                        {a.bottom, b.bottom},
                        {a.xmin, b.xmin},
                        {a.ymin, b.ymin},
                        {a.xGrid, b.xGrid},
                        {a.yGrid, b.yGrid}})
      ASSERT_TRUE(sameBits(p, q)) << where;

    RecordingSurface withRanges, withScan;
    double x0 = 0, xa = x1, xb = x1;
    ASSERT_EQ(Graphic(withRanges, known, x0, xa), Graphic(withScan, scanned, x0, xb)) << where;
    ASSERT_EQ(withRanges.ops, withScan.ops) << where;
    ASSERT_TRUE(sameBits(xa, xb)) << where;
    plotted += !a.cause;
  }
  // Most rounds draw a plot; the rest stop on their entries or get a cause from the plot.
  EXPECT_GT(plotted, 500);
}

}  // namespace
}  // namespace kemi::test
