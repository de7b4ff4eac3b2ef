// The seven step methods: bit-exact values at worked points, properties every method shares, and
// the observed order of accuracy over the method table.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/method_table.h"

namespace kemi {
namespace {

struct Worked {
  double x0, y0, h;
  std::array<double, kMethodCount> y;  // in method-table order
};

// Reference values worked out independently with IEEE doubles, each formula in its written order.
const Worked kWorked[] = {
    {0.0,
     -1.0,
     0.5,
     {-0.5, -0.875, -0.875, -0.8203125, -0.8195537860576924, -0.8196614583333334, -0.8203125}},
    {0.0,
     -1.0,
     0.1,
     {-0.9, -0.915, -0.915, -0.9145125000000001, -0.9145122514423076, -0.9145122916666667,
      -0.9145125000000001}},
    {0.3,
     -0.7,
     -0.2,
     {-0.72, -0.762, -0.762, -0.76494, -0.7649456646153846, -0.7649446666666666, -0.76494}},
    {1.7,
     2.5,
     0.37,
     {0.3169999999999997, 0.583955, 0.5839550000000002, 0.5540760616250002, 0.5538555045017675,
      0.5538882550747914, 0.5540760616249998}},
    // Points where the final sums of RK4, RK4G, RKF and RKM show their order: with the existing
    // ones, adding the weighted increments in any other order changes at least one result here.
    {-1.0,
     -1.0,
     0.25,
     {-0.25, -0.40625, -0.40625, -0.39404296875, -0.39400286552233565, -0.39400906032986116,
      -0.39404296875}},
    {-1.0,
     -0.7,
     0.5,
     {0.6500000000000001, 0.0625, 0.0625, 0.14817708333333335, 0.14936573517628216,
      0.14919704861111127, 0.14817708333333335}},
    {-0.1,
     -0.7,
     -0.5,
     {-1.15, -1.5124999999999997, -1.5125, -1.58046875, -1.5812457431891025, -1.5810980902777778,
      -1.5804687499999999}},
    {0.1,
     0.1,
     0.3,
     {0.009999999999999995, -0.0665, -0.0665, -0.05942375, -0.059389920817307734,
      -0.059395062499999984, -0.05942375}},
};

TEST(StepMethodsTest, GiveBitExactValuesAtWorkedPoints) {
  for (const Worked& w : kWorked)
    for (std::size_t m = 0; m < kMethods.size(); ++m) {
      double y = 12345.0;
      kMethods[m].step(w.x0, w.y0, w.h, y);
      EXPECT_EQ(y, w.y[m]) << kMethods[m].reportName << " from (" << w.x0 << ", " << w.y0
                           << ") with h " << w.h;
    }
}

TEST(StepMethodsTest, LeaveInputsUnchangedAndKeepY0ForZeroStep) {
  for (const MethodInfo& m : kMethods) {
    const double x0 = 0.25, y0 = -0.75, h = 0.0;
    double y = 99.0;
    m.step(x0, y0, h, y);
    EXPECT_EQ(y, y0) << m.reportName;
    double x = 0.25, yy = -0.75, hh = 0.3;
    m.step(x, yy, hh, y);
    EXPECT_EQ(x, 0.25);
    EXPECT_EQ(yy, -0.75);
    EXPECT_EQ(hh, 0.3);
  }
}

// On the straight-line solution y = 2 - 2x every slope is -2, so every method follows it.
TEST(StepMethodsTest, FollowTheStraightLineSolution) {
  for (const MethodInfo& m : kMethods) {
    for (double h : {0.5, -0.25, 0.1}) {
      double y = 0.0;
      m.step(1.0, 0.0, h, y);
      EXPECT_NEAR(y, 2.0 - 2.0 * (1.0 + h), 1e-15) << m.reportName << " h " << h;
    }
  }
}

// The equation is linear, so the two second-order Euler forms and the two classical fourth-order
// forms agree up to rounding although they sample f1 at different points.
TEST(StepMethodsTest, EquivalentFormsAgreeUpToRounding) {
  for (double h : {0.5, 0.01, -0.3, 2.0}) {
    double ep = 0, mp = 0, rk4 = 0, gill = 0;
    EulerEP(0.2, -0.4, h, ep);
    EulerMP(0.2, -0.4, h, mp);
    RK4(0.2, -0.4, h, rk4);
    RK4G(0.2, -0.4, h, gill);
    EXPECT_NEAR(ep, mp, 1e-14);
    EXPECT_NEAR(rk4, gill, 1e-14);
  }
}

TEST(StepLoopTest, StoresEveryPointAsRepeatedStepsWould) {
  for (const MethodInfo& m : kMethods) {
    std::vector<double> X(9, 0.0), Y(9, 0.0);
    X[0] = 0.0;
    Y[0] = -1.0;
    const double h = 2.0 / 7.0;
    TableRanges ranges;
    ASSERT_EQ(m.loop(X.data(), Y.data(), 7, h, ranges), 0);
    double x = 0.0, y = -1.0;
    for (int i = 1; i <= 7; ++i) {
      double ynew = 0;
      m.step(x, y, h, ynew);
      x = x + h;
      y = ynew;
      EXPECT_EQ(X[i], x) << m.reportName << " step " << i;
      EXPECT_EQ(Y[i], y) << m.reportName << " step " << i;
    }
    EXPECT_EQ(X[8], 0.0);
    EXPECT_EQ(Y[8], 0.0);
    // The ranges are those of the stored points: the solution dips below -1 and climbs back.
    EXPECT_EQ(ranges.last, 7);
    EXPECT_EQ(ranges.x.lo, 0.0);
    EXPECT_EQ(ranges.x.hi, X[7]);
    EXPECT_EQ(ranges.y.lo, *std::min_element(Y.begin(), Y.begin() + 8)) << m.reportName;
    EXPECT_EQ(ranges.y.hi, *std::max_element(Y.begin(), Y.begin() + 8)) << m.reportName;
  }
}

TEST(StepLoopTest, RangesKeepTheFirstOfTwoEqualZeros) {
  // From x0 = -0 with h = 0 every later abscissa is -0 + 0 = +0; a scan with strict comparisons
  // keeps the -0 it started from.
  std::vector<double> X(4, 0.0), Y(4, 0.0);
  X[0] = -0.0;
  Y[0] = 0.0;
  TableRanges ranges;
  ASSERT_EQ(kMethods[0].loop(X.data(), Y.data(), 3, 0.0, ranges), 0);
  EXPECT_FALSE(std::signbit(X[1]));
  EXPECT_TRUE(std::signbit(ranges.x.lo));
  EXPECT_TRUE(std::signbit(ranges.x.hi));
}

TEST(StepLoopTest, StopsAtTheFirstStepThatLeavesTheDoubleRange) {
  // dy/dx = -2x - y with h = 1e200: y grows by a factor of about 1e200 a step.
  std::vector<double> X(6, 0.0), Y(6, 0.0);
  Y[0] = -1.0;
  TableRanges ranges;
  EXPECT_EQ(kMethods[0].loop(X.data(), Y.data(), 5, 1e200, ranges), 2);
  EXPECT_EQ(X[2], 0.0);
  EXPECT_EQ(Y[2], 0.0);
  EXPECT_TRUE(std::isfinite(Y[1]));
  EXPECT_EQ(ranges.last, 1);
  EXPECT_EQ(ranges.x.hi, X[1]);
  EXPECT_EQ(ranges.y.lo, std::min(Y[0], Y[1]));
}

// Calls of f1. Each method's staged step runs the same formula with a counting f1; it must count
// the listed evaluations, one per stage, and give the plain step's result to the bit.
TEST(StepMethodsTest, EvaluateF1TheListedNumberOfTimes) {
  for (const Worked& w : kWorked)
    for (const MethodInfo& m : kMethods) {
      double plain = 0.0, staged = 12345.0;
      StageRecord record;
      m.step(w.x0, w.y0, w.h, plain);
      m.staged(w.x0, w.y0, w.h, staged, record);
      EXPECT_EQ(record.evaluations, m.evaluations) << m.reportName;
      EXPECT_EQ(record.stages, m.evaluations) << m.reportName;
      EXPECT_EQ(staged, plain) << m.reportName << " from (" << w.x0 << ", " << w.y0 << ")";
    }
}

// A step for the step loop that forwards to method M's staged step and counts the steps taken
// and the calls of f1 they made.
TEST(StepLoopTest, CallsTheStepOncePerStep) {
  for (std::size_t m = 0; m < kMethods.size(); ++m) {
    std::vector<double> X(12, 0.0), Y(12, 0.0), plainX(12, 0.0), plainY(12, 0.0);
    Y[0] = plainY[0] = -1.0;
    TableRanges ranges;
    std::int64_t steps = 0, evaluations = 0;
    const auto counting = [&](const double& x0, const double& y0, const double& h, double& y) {
      StageRecord record;
      kMethods[m].staged(x0, y0, h, y, record);
      ++steps;
      evaluations += record.evaluations;
    };
    ASSERT_EQ(integrate(counting, X.data(), Y.data(), 10, 0.04, ranges), 0);
    EXPECT_EQ(steps, 10) << kMethods[m].reportName;
    EXPECT_EQ(evaluations, 10 * kMethods[m].evaluations) << kMethods[m].reportName;
    ASSERT_EQ(kMethods[m].loop(plainX.data(), plainY.data(), 10, 0.04, ranges), 0);
    EXPECT_EQ(Y, plainY) << kMethods[m].reportName;
  }
}

// A complex state ends where either part leaves the double range; a keep that returns false
// ends the loop at its step, and the point before it stays.
TEST(StepLoopTest, EndsWhereAnyPartLeavesTheRangeOrKeepRefuses) {
  using C = std::complex<double>;
  const auto turn = [](const double&, const C& y0, const double&, C& y) {
    y = {-y0.imag() * 1e200, y0.real() * 1e200};
  };
  double x = 0.0;
  C y{1.0, 0.0};
  EXPECT_EQ(takeSteps(turn, x, y, 1, 5, 0.5, [](std::int64_t, double, const C&) {}), 2);
  EXPECT_EQ(x, 0.5);
  EXPECT_EQ(y, C(0.0, 1e200));
  double u = 0.0;
  double v = 1.0;
  const auto twice = [](const double&, const double& y0, const double&, double& y1) {
    y1 = 2.0 * y0;
  };
  const auto firstTwo = [](std::int64_t i, double, double) { return i < 3; };
  EXPECT_EQ(takeSteps(twice, u, v, 1, 9, 0.25, firstTwo), 3);
  EXPECT_EQ(u, 0.5);
  EXPECT_EQ(v, 4.0);
}

// Order of accuracy: y' = -2x - y, y(0) = -1 has the solution y = 2 - 2x - 3e^(-x). Halving the
// step should divide the error at x = 1 by about 2^order.
class MethodOrderTest : public ::testing::TestWithParam<MethodInfo> {};

double errorAtOne(const MethodInfo& m, int n) {
  std::vector<double> X(n + 1), Y(n + 1);
  X[0] = 0.0;
  Y[0] = -1.0;
  TableRanges ranges;
  m.loop(X.data(), Y.data(), n, 1.0 / n, ranges);
  return std::abs(Y[n] - (2.0 - 2.0 * X[n] - 3.0 * std::exp(-X[n])));
}

TEST_P(MethodOrderTest, ObservedOrderMatchesTheListedOrder) {
  const MethodInfo& m = GetParam();
  const int n = m.order >= 4 ? 8 : 64;
  const double observed = std::log2(errorAtOne(m, n) / errorAtOne(m, 2 * n));
  EXPECT_GE(observed, m.order - 0.3) << m.reportName;
  EXPECT_LE(observed, m.order + 1.0) << m.reportName;
}

INSTANTIATE_TEST_SUITE_P(AllMethods, MethodOrderTest, ::testing::ValuesIn(kMethods),
                         [](const auto& info) { return std::string(info.param.optionName); });

}  // namespace
}  // namespace kemi
