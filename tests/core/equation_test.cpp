// The right-hand side and the exact table: sample counts, accumulated abscissae, stops.
#include <gtest/gtest.h>

#include <cmath>

#include "core/calculation.h"
#include "core/equation.h"

namespace kemi {
namespace {

TEST(EquationTest, RightHandSideAtWorkedPoints) {
  EXPECT_EQ(f1(0.0, -1.0), 1.0);
  EXPECT_EQ(f1(1.0, 2.0), -4.0);
  EXPECT_EQ(f1(0.5, 0.0), -1.0);
}

struct Sampling {
  double x0, x1;
  int npt;
  double lastX, lastY;  // worked out independently by accumulating (x1 - x0) / 10
};

TEST(AnalyticalTest, SamplesElevenPointsEndingAtTheAccumulatedTarget) {
  const Sampling cases[] = {
      {0.0, 0.4, 10, 0.39999999999999997, -0.8109601381069176},
      // The tenth accumulated step lands a hair past 0.3; the sample is kept.
      {0.0, 0.3, 10, 0.30000000000000004, -0.8224546620451538},
      {1.0, 2.0, 10, 2.000000000000001, -2.4060058497098398},
      {0.0, -1.0, 10, -0.9999999999999999, -4.154845485377136},
  };
  for (const Sampling& c : cases) {
    ExactTable t;
    t.XA.fill(7.0);
    Analytical(t, c.x0, c.x1);
    EXPECT_EQ(t.npt, c.npt) << c.x1;
    EXPECT_EQ(t.XA[t.npt], c.lastX) << c.x1;
    EXPECT_EQ(t.YA[t.npt], c.lastY) << c.x1;
    EXPECT_EQ(t.XA[0], c.x0);
    EXPECT_EQ(t.XA[11], 0.0) << "slots above npt are recreated as 0";
    EXPECT_EQ(t.YA[11], 0.0);
  }
}

TEST(AnalyticalTest, StartsOnTheCurveThroughTheOriginPointWhateverTheStart) {
  ExactTable t;
  Analytical(t, 0.0, 1.0);
  EXPECT_EQ(t.YA[0], -1.0);
  Analytical(t, 2.0, 3.0);
  EXPECT_EQ(t.YA[0], ((std::exp(-2.0) * -3.0) - 4.0) + 2.0);
}

TEST(AnalyticalTest, StopsOnTheThirteenthSampleWhenTheStepIsZero) {
  ExactTable t;
  EXPECT_THROW(Analytical(t, 0.5, 0.5), RunStopped);
  EXPECT_EQ(t.npt, 11);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(t.XA[i], 0.5);
  // A step that underflows to zero is absorbed the same way.
  EXPECT_THROW(Analytical(t, 0.0, 4.9e-324), RunStopped);
  // Below x0 the step underflows to -0, which the loop takes as a step upward: no sample.
  EXPECT_THROW(Analytical(t, 0.0, -4.9e-324), RunStopped);
}

TEST(AnalyticalTest, StopsWhenTheExactSolutionLeavesTheDoubleRange) {
  ExactTable t;
  EXPECT_THROW(Analytical(t, 0.0, -800.0), RunStopped);
  EXPECT_NO_THROW(Analytical(t, 0.0, -700.0));
  EXPECT_TRUE(std::isfinite(t.YA[t.npt]));
  // e^(-x) below the smallest double gives 0, so the solution is the straight line.
  Analytical(t, 0.0, 1e6);
  EXPECT_EQ(t.YA[t.npt], 2.0 - 2.0 * t.XA[t.npt]);
}

}  // namespace
}  // namespace kemi
