// Thousands of whole runs over random entry texts, in lessons of many runs on one Calculation as
// a window keeps it: every run either completes with four well-formed lines or stops with a cause,
// and a stop leaves what was done before it and nothing after. KEMI_SEED=<n> replays a seed.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/calculation.h"
#include "core/entry_reader.h"
#include "tests/support/random_entry_texts.h"

namespace kemi {
namespace {

constexpr double kLargestQuickN = 5000.0;
constexpr double kSurelyTooLargeN = 2147483648.0;  // N + 1 rounded cannot fit 32 bits

std::uint64_t seed() {
  if (const char* text = std::getenv("KEMI_SEED")) return std::strtoull(text, nullptr, 0);
  return 20250611;
}

// Records the calls of a run in order: 'h' step size, 'L' four lines, 'R' redraw.
struct TracingView : RunView {
  std::string calls;
  std::vector<std::string> stepSizes;
  std::vector<std::string> lines;
  std::optional<std::string> redrawCause;
  bool redrawSawBadState = false;

  void showStepSize(const std::string& text) override {
    calls += 'h';
    stepSizes.push_back(text);
  }
  void appendLines(const std::array<std::string, 4>& four) override {
    calls += 'L';
    lines.insert(lines.end(), four.begin(), four.end());
  }
  std::optional<std::string> redraw(const Calculation& calc, double& x0, double& x1) override {
    calls += 'R';
    if (!std::isfinite(x0) || !std::isfinite(x1) || calc.lastIndex() < 0 ||
        static_cast<std::size_t>(calc.lastIndex()) >= calc.X().size())
      redrawSawBadState = true;
    return redrawCause;
  }
};

class EntryTexts : public test::RandomEntryTexts {
 public:
  using RandomEntryTexts::RandomEntryTexts;

  // x1: mostly a number of any size, sometimes a plain target or garbage.
  std::string target() {
    // 8e307 and -5e307: steps that stay in range while the error YA - Y leaves it.
    static const char* const kPlain[] = {"0.4", "0.3",  "1",  "-1",    "3",
                                         "0",   "-800", "20", "8e307", "-5e307"};
    if (chance(10)) return garbage();
    return typed(chance(30) ? kPlain[uniform(0, 9)] : number());
  }

  // x0 and y0: the window's fixed starting point, sometimes anything else.
  std::string start(const char* usual) { return chance(85) ? usual : typed(number()); }

  // N: whole, fractional, below 1, negative, or one that must stop on the table size; never a
  // step count that would take long.
  std::string stepCount() {
    for (;;) {
      std::string s;
      switch (uniform(0, 6)) {
        case 0:
          s = std::to_string(uniform(1, 20));
          break;
        case 1:
          s = std::to_string(uniform(1, 5000));
          break;
        case 2:
          s = std::to_string(uniform(0, 4999)) + "." + digits(uniform(1, 3));
          break;
        case 3:
          s = (chance(50) ? "-0." : "0.") + digits(uniform(1, 2));
          break;
        case 4:
          s = "-" + std::to_string(uniform(1, 1'000'000'000));
          break;
        case 5:
          s = number();
          break;
        default:
          s = garbage();
          break;
      }
      s = typed(s);
      const std::optional<double> n = readEntry(s);
      if (!n || *n <= kLargestQuickN || *n >= kSurelyTooLargeN) return s;
    }
  }
};

// One fixed-point number at the front of `s`: "-"?, digits, ".", `decimals` digits. The digits
// of a negative value may all be 0 ("-0.0000"): it keeps its sign when it rounds to zero.
bool takeFixed(std::string_view& s, std::size_t decimals) {
  std::size_t i = s.starts_with('-') ? 1 : 0;
  const std::size_t intStart = i;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
  if (i == intStart || i + decimals >= s.size() || s[i] != '.') return false;
  for (std::size_t k = i + 1; k <= i + decimals; ++k)
    if (!std::isdigit(static_cast<unsigned char>(s[k]))) return false;
  s.remove_prefix(i + 1 + decimals);
  return true;
}

// "<F4>    <F8>   <label>" with nothing else.
bool reportLine(std::string_view line, std::string_view label) {
  if (!line.ends_with(label)) return false;
  line.remove_suffix(label.size());
  if (!takeFixed(line, 4) || !line.starts_with("    ")) return false;
  line.remove_prefix(4);
  return takeFixed(line, 8) && line == "   ";
}

bool showsNanOrInf(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

bool allFinite(std::span<const double> values) {
  for (double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

TEST(RunPropertyTest, EveryRunCompletesWithFourLinesOrStopsWhereItsRulesSay) {
  const std::uint64_t runSeed = seed();
  SCOPED_TRACE("KEMI_SEED=" + std::to_string(runSeed));
  EntryTexts gen(runSeed);
  int completed = 0, stoppedBeforeH = 0, stoppedAfterH = 0, plotFailed = 0;

  for (int lesson = 0; lesson < 100; ++lesson) {
    Calculation calc;
    TracingView view;
    for (int run = 0; run < 60; ++run) {
      const Entries in{gen.start("0"), gen.start("-1"), gen.target(), gen.stepCount()};
      const MethodInfo& method = kMethods[static_cast<std::size_t>(gen.uniform(0, 6))];
      view.redrawCause = gen.chance(5) ? std::optional<std::string>("plot failed") : std::nullopt;
      SCOPED_TRACE("lesson " + std::to_string(lesson) + " run " + std::to_string(run) + ": x0 \"" +
                   in.x0 + "\" y0 \"" + in.y0 + "\" x1 \"" + in.x1 + "\" N \"" + in.N + "\" " +
                   std::string(method.reportName));

      // Where the rules stop a run before its step size: an entry beyond the double range (the
      // cause names the entry), N of 0, or a step size beyond the range.
      const std::optional<double> read[] = {readEntry(in.x0), readEntry(in.y0), readEntry(in.x1),
                                            readEntry(in.N)};
      const char* const names[] = {"x0 ", "y0 ", "x1 ", "N "};
      std::string causeStart;
      for (int k = 0; k < 4 && causeStart.empty(); ++k)
        if (!read[k]) causeStart = names[k];
      const bool entriesRead = causeStart.empty();
      const double x0 = read[0].value_or(0), y0 = read[1].value_or(0);
      const double x1 = read[2].value_or(0), n = read[3].value_or(0);
      const bool hShown = entriesRead && n != 0.0 && std::isfinite((x1 - x0) / n);

      view.calls.clear();
      const std::size_t linesBefore = view.lines.size();
      RunResult r;
      try {
        r = calc.run(in, method, view);
      } catch (...) {
        ADD_FAILURE() << "the run threw";
        continue;
      }

      ASSERT_EQ(r.completed, r.cause.empty()) << r.cause;
      EXPECT_TRUE(r.cause.starts_with(causeStart)) << r.cause;
      EXPECT_TRUE(allFinite(calc.X()) && allFinite(calc.Y())) << "a table holds nan or inf";
      EXPECT_FALSE(view.redrawSawBadState);
      if (!hShown) {
        EXPECT_EQ(view.calls, "") << r.cause;
        EXPECT_FALSE(r.completed);
        ++stoppedBeforeH;
        continue;
      }
      ASSERT_TRUE(view.calls == "h" || view.calls == "hLR") << view.calls << ": " << r.cause;
      EXPECT_FALSE(showsNanOrInf(view.stepSizes.back())) << view.stepSizes.back();
      EXPECT_NE(view.stepSizes.back(), "-0");
      if (view.calls == "h") {
        EXPECT_FALSE(r.completed);
        EXPECT_EQ(view.lines.size(), linesBefore);
        ++stoppedAfterH;
        continue;
      }

      // Four lines appended; the run completed unless the plot failed after them.
      ASSERT_EQ(view.lines.size(), linesBefore + 4);
      const std::string* four = &view.lines[linesBefore];
      for (int k = 0; k < 4; ++k) EXPECT_FALSE(showsNanOrInf(four[k])) << four[k];
      EXPECT_TRUE(reportLine(four[0], method.reportName)) << '"' << four[0] << '"';
      EXPECT_TRUE(reportLine(four[1], "Analytical")) << '"' << four[1] << '"';
      EXPECT_TRUE(reportLine(four[2], "Error")) << '"' << four[2] << '"';
      EXPECT_EQ(four[1].substr(0, four[1].find(' ')), four[2].substr(0, four[2].find(' ')));
      EXPECT_EQ(four[3], " ");
      if (view.redrawCause) {
        EXPECT_FALSE(r.completed);
        EXPECT_EQ(r.cause, *view.redrawCause);
        ++plotFailed;
      } else {
        EXPECT_TRUE(r.completed) << r.cause;
        ++completed;
      }

      // The tables run from 0 to N + 1 rounded, hold the starting point at 0, and are 0 above the
      // last point a step wrote, whatever an earlier run of the lesson left in them.
      EXPECT_NE(x1, x0);
      EXPECT_GE(n, -0.5);
      const double size = std::nearbyint(n + 1.0) + 1.0;
      ASSERT_EQ(static_cast<double>(calc.X().size()), size);
      EXPECT_EQ(calc.lastIndex(), n >= 1.0 ? static_cast<std::int64_t>(std::floor(n)) : 0);
      EXPECT_EQ(calc.X()[0], x0);
      EXPECT_EQ(calc.Y()[0], y0);
      for (std::size_t i = static_cast<std::size_t>(calc.lastIndex()) + 1; i < calc.X().size(); ++i)
        EXPECT_TRUE(calc.X()[i] == 0.0 && calc.Y()[i] == 0.0) << "index " << i;
    }
  }
  // The entry texts reach every way a run can end.
  EXPECT_GT(completed, 1000);
  EXPECT_GT(stoppedBeforeH, 500);
  EXPECT_GT(stoppedAfterH, 1500);
  EXPECT_GT(plotFailed, 40);
  std::printf("completed %d, stopped before h %d, after h %d, plot failed %d\n", completed,
              stoppedBeforeH, stoppedAfterH, plotFailed);
}

}  // namespace
}  // namespace kemi
