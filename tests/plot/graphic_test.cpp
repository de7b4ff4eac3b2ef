// The solution plot on a recording surface: whole call lists for worked cases, at most 1000 grid
// lines a direction that still span a huge range, the ranges that are refused with a cause, and
// invariants for random tables.
#include "plot/graphic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "tests/plot/plot_tables.h"
#include "tests/plot/recording_surface.h"

namespace kemi::test {
namespace {

constexpr Rgb kRed = 0xFF0000;
constexpr Rgb kGrey = 0xE6E6E6;

// Exact solution of dy/dx = -2x - y through (0, -1): y = 2 - 2x - 3e^(-x), eleven samples from
// x0 to x1 by accumulated steps.
Tables exactFrom(double x0, double x1) {
  Tables t;
  const double step = (x1 - x0) / 10;
  double x = x0;
  for (int i = 0; i <= 10; ++i) {
    t.XA.push_back(x);
    t.YA.push_back(2 - 2 * x - 3 * std::exp(-x));
    x = x + step;
  }
  t.npt = 10;
  return t;
}

std::vector<double> verticalAt(const RecordingSurface& s) {
  std::vector<double> xs;
  for (const Op& op : s.lines(kGrey)) {
    if (op.a == op.c) xs.push_back(op.a);
  }
  return xs;
}

std::vector<double> horizontalAt(const RecordingSurface& s) {
  std::vector<double> ys;
  for (const Op& op : s.lines(kGrey)) {
    if (op.b == op.d && op.a != op.c) ys.push_back(op.b);
  }
  return ys;
}

std::vector<double> asFloats(std::vector<double> v) {
  for (double& x : v) x = static_cast<float>(x);
  return v;
}

TEST(GraphicTest, DefaultEntriesGiveTheWholeCallList) {
  // x0 0, y0 -1, x1 0.4, N 1, Euler: X = (0, 0.4), Y = (-1, -0.6).
  Tables t = exactFrom(0, 0.4);
  t.X = {0, 0.4};
  t.Y = {-1, -0.6};
  t.N = 1;
  const Drawn d = draw(t, 0.4);

  std::vector<Op> want{clearOp(), scaleOp(-0.04000000000000001, 0.1, 0.44000000000000006, -1.1)};
  for (int i = 1; i <= 10; ++i) want.push_back(lineOp(t.XA[i - 1], t.YA[i - 1], t.XA[i], t.YA[i]));
  want.push_back(lineOp(0, -1, 0.4, -0.6, kRed));
  for (double g : {0.0, 0.1, 0.2, 0.30000000000000004, 0.4})
    want.push_back(lineOp(g, -1, g, 1, kGrey));
  for (double g : {0.0, -0.1, -0.2, -0.30000000000000004, -0.4, -0.5, -0.6, -0.7,
                   -0.7999999999999999, -0.8999999999999999, -0.9999999999999999}) {
    want.push_back(lineOp(0, g, 0.4, g, kGrey));
  }
  want.push_back(lineOp(-0.4, 0, 0.4, 0));
  want.push_back(lineOp(0, -1, 0, 1));

  EXPECT_FALSE(d.cause);
  EXPECT_EQ(d.surface.ops, want);
  EXPECT_EQ(d.x1, 0.4);
}

TEST(GraphicTest, GridLinesAtTheLimitsFollowTheAccumulatedSums) {
  // Right limit 0.3: the fourth line at 0.30000000000000004 is kept by the 1e-7 tolerance.
  Tables right;
  right.XA = {0};
  right.YA = {-1};
  right.X = {0, 0.3};
  right.Y = {-1, -0.5};
  right.N = 1;
  EXPECT_EQ(verticalAt(draw(right, 0.3).surface), asFloats({0, 0.1, 0.2, 0.30000000000000004}));

  // Lower limit exactly -0.3: the accumulated -0.30000000000000004 lies below it, no line.
  Tables low;
  low.XA = {0};
  low.YA = {-0.3};
  low.X = {0, 0.5};
  low.Y = {-0.3, -0.1};
  low.N = 1;
  EXPECT_EQ(horizontalAt(draw(low, 0.5).surface), asFloats({0, -0.1, -0.2}));
}

TEST(GraphicTest, NegativeTargetWidensTheGridAndWritesBackXOne) {
  // x1 -0.5 from X(0) = -1: visible x from -1.1 to 0.1, grid and axis widened to 1.
  Tables t;
  t.XA = {-1, -0.5};
  t.YA = {-1, -0.6};
  t.npt = 1;
  t.X = {-1, -0.5};
  t.Y = {-1, -0.4};
  t.N = 1;
  const Drawn d = draw(t, -0.5);
  const std::vector<Op>& ops = d.surface.ops;
  ASSERT_GE(ops.size(), 4u);
  EXPECT_EQ(ops[1],
            scaleOp(-1 - std::abs(0 - -1.0) * 0.1, 0.1, 0 + std::abs(0 - -1.0) * 0.1, -1.1));
  EXPECT_EQ(verticalAt(d.surface),
            asFloats({0, 0.1, 0.2, 0.30000000000000004, 0.4, 0.5, 0.6, 0.7, 0.7999999999999999,
                      0.8999999999999999, 0.9999999999999999}));
  for (const Op& op : d.surface.lines(kGrey)) {
    if (op.b == op.d && op.a != op.c) {
      EXPECT_EQ(op.a, -1.0f);
      EXPECT_EQ(op.c, 1.0f);
    }
  }
  EXPECT_EQ(ops[ops.size() - 2], lineOp(-1, 0, 1, 0));
  EXPECT_EQ(d.x1, 1.0);
}

TEST(GraphicTest, RangeAlwaysHoldsTheOrigin) {
  // Start right of the origin: X(0) 0.2, x1 1, all ordinates negative (-2 .. -1).
  Tables t;
  t.XA = {0.2, 1};
  t.YA = {-1, -2};
  t.npt = 1;
  t.X = {0.2, 1};
  t.Y = {-1, -1.5};
  t.N = 1;
  const Drawn d = draw(t, 1);
  const std::vector<Op>& ops = d.surface.ops;
  ASSERT_GE(ops.size(), 4u);
  EXPECT_EQ(ops[1], scaleOp(0 - 0.1, 0 + 0.2, 1 + 0.1, -2 - 0.2));
  // The vertical grid and the y axis reach abs(ymin) above, past the visible top.
  for (const Op& op : d.surface.lines(kGrey)) {
    if (op.a == op.c) {
      EXPECT_EQ(op.b, -2.0f);
      EXPECT_EQ(op.d, 2.0f);
    }
  }
  EXPECT_EQ(ops.back(), lineOp(0, -2, 0, 2));
}

TEST(GraphicTest, StepCountBelowOneDrawsNoNumericalSegment) {
  // N 0.5: the table has slots 0 and 1, but only Y(0) belongs to the range; Y(1) is far off.
  Tables t;
  t.XA = {0};
  t.YA = {-1};
  t.X = {0, 7};
  t.Y = {-1, -50};
  t.N = 0.5;
  const Drawn d = draw(t, 0.4);
  EXPECT_TRUE(d.surface.lines(kRed).empty());
  EXPECT_TRUE(d.surface.lines(std::nullopt).size() == 2u);  // the axes only (npt 0)
  EXPECT_EQ(d.surface.ops[1], scaleOp(0 - 0.4 * 0.1, 0 + 0.1, 0.4 + 0.4 * 0.1, -1 - 0.1));
}

TEST(GraphicTest, ZeroWidthRangeIsTakenFromTheAbscissae) {
  // x1 -1 from x0 0: the origin rule leaves xmin = xMax = 0; the drawn abscissae span -1 .. 0.
  Tables t;
  t.XA = {0, -1};
  t.YA = {-1, -0.5};
  t.npt = 1;
  double x = 0;
  for (int i = 0; i <= 10; ++i, x = x + -0.1) {
    t.X.push_back(x);
    t.Y.push_back(-1 + 0.05 * i);
  }
  t.N = 10;
  const Drawn d = draw(t, -1);
  ASSERT_FALSE(d.cause);
  const Op& scale = d.surface.ops[1];
  const double xmin = -1.0;  // XA(1); the accumulated X(10) is -0.9999999999999999
  EXPECT_EQ(scale,
            scaleOp(xmin - std::abs(0 - xmin) * 0.1, 0.1, 0 + std::abs(0 - xmin) * 0.1, -1.1));
  EXPECT_NEAR(scale.a, -1.1, 1e-12);
  EXPECT_NEAR(scale.c, 0.1, 1e-12);
  EXPECT_EQ(d.x1, std::abs(xmin));
}

struct Unplottable {
  const char* name;
  Tables tables;
  double x1;
  const char* causeWords;
};

class GraphicUnplottableTest : public ::testing::TestWithParam<Unplottable> {};

TEST_P(GraphicUnplottableTest, LeavesTheAreaClearedWithACause) {
  const Drawn d = draw(GetParam().tables, GetParam().x1);
  EXPECT_EQ(d.surface.ops, std::vector<Op>{clearOp()});
  ASSERT_TRUE(d.cause);
  EXPECT_NE(d.cause->find(GetParam().causeWords), std::string::npos) << *d.cause;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GraphicUnplottableTest,
    ::testing::Values(
        // x1 = x0 = 0: every abscissa is 0.
        Unplottable{"NoWidth", {{0, 0}, {-1, -1}, {0, 0}, {-1, -1}, 1, 1}, 0, "no width"},
        // x1 -700 sends the exact ordinates near -3e304, far beyond any float.
        Unplottable{"BeyondFloat", {{0}, {-1}, {0, -700}, {-1, -3e304}, 0, 1}, -700, "too large"},
        Unplottable{"AbscissaBeyondFloat", {{0, 1e39}, {-1, -1}, {0}, {-1}, 1, 0}, 1, "too large"},
        Unplottable{"NotANumber", {{0}, {-1}, {0, 1}, {-1, std::nan("")}, 0, 1}, 1, "too large"},
        Unplottable{"TableShorterThanN", {{0}, {-1}, {0, 1}, {-1, -2}, 0, 5}, 1, "shorter"},
        // x1 1e-300: a float cannot tell the abscissae apart from the origin.
        Unplottable{"NarrowerThanAFloat",
                    {{0, 1e-300}, {-1, -1}, {0, 1e-300}, {-1, -1}, 1, 1},
                    1e-300,
                    "too close together"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GraphicTest, HugeRangesGetABoundedCoarserGrid) {
  // Ordinates down to -1e6 and x1 1e17 (where g + 0.1 == g): the plot ends, each direction
  // has at most 1000 lines at a 1-2-5 multiple of 0.1, and they still span the range.
  Tables t;
  t.XA = {0};
  t.YA = {-1};
  t.X = {0, 1e17};
  t.Y = {-1, -1e6};
  t.N = 1;
  const Drawn d = draw(t, 1e17);
  ASSERT_FALSE(d.cause);
  const std::vector<double> xs = verticalAt(d.surface);
  const std::vector<double> ys = horizontalAt(d.surface);
  ASSERT_GE(xs.size(), 2u);
  ASSERT_GE(ys.size(), 2u);
  EXPECT_LE(xs.size(), 1000u);
  EXPECT_LE(ys.size(), 1000u);
  EXPECT_EQ(ys[1], -2000.0f);  // 0.1 * 20000: the first 1-2-5 spacing with <= 1000 lines
  EXPECT_GE(ys.back(), -1e6f);
  EXPECT_LT(ys.back() + (ys[1] - ys[0]), -1e6f);
  EXPECT_GE(xs.back() + (xs[1] - xs[0]), 1e17f);
}

TEST(GraphicTest, RandomTablesKeepTheCallOrder) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> value(-50, 50);
  for (int round = 0; round < 200; ++round) {
    Tables t;
    t.npt = static_cast<int>(rng() % 11);
    for (int i = 0; i <= t.npt; ++i) {
      t.XA.push_back(value(rng));
      t.YA.push_back(value(rng));
    }
    t.N = static_cast<double>(rng() % 30);
    for (int i = 0; i <= t.N; ++i) {
      t.X.push_back(value(rng));
      t.Y.push_back(value(rng));
    }
    const Drawn d = draw(t, value(rng));
    const std::vector<Op>& ops = d.surface.ops;
    ASSERT_FALSE(d.cause);
    ASSERT_GE(ops.size(), 4u);
    EXPECT_EQ(ops[0].kind, Op::kClear);
    EXPECT_EQ(ops[1].kind, Op::kSetScale);
    EXPECT_LT(ops[1].a, ops[1].c);
    EXPECT_GT(ops[1].b, ops[1].d);
    EXPECT_EQ(d.surface.lines(kRed).size(), static_cast<std::size_t>(t.N));
    EXPECT_EQ(d.surface.lines(std::nullopt).size(), static_cast<std::size_t>(t.npt) + 2);
    const Op& xAxis = ops[ops.size() - 2];
    EXPECT_EQ(xAxis, lineOp(-d.x1, 0, d.x1, 0));
    EXPECT_EQ(ops.back().kind, Op::kLine);
    EXPECT_EQ(ops.back().a, 0.0f);
    for (std::size_t i = 2; i < ops.size(); ++i) {
      EXPECT_EQ(ops[i].kind, Op::kLine);
      EXPECT_TRUE(std::isfinite(ops[i].a) && std::isfinite(ops[i].b) && std::isfinite(ops[i].c) &&
                  std::isfinite(ops[i].d));
    }
  }
}

}  // namespace
}  // namespace kemi::test
