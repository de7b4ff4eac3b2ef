// Whole calculation runs: what a completed run shows and what a stopped run leaves.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/calculation.h"
#include "tests/core/recording_view.h"

namespace kemi {
namespace {

const MethodInfo& kEuler = kMethods[0];
const MethodInfo& kRK4 = kMethods[3];

TEST(CalculationTest, DefaultEntriesGiveTheFourLines) {
  Calculation calc;
  RecordingView view;
  const RunResult r = calc.run(entries("0.4", "1"), kEuler, view);
  EXPECT_TRUE(r.completed) << r.cause;
  EXPECT_EQ(view.stepSizes, std::vector<std::string>{"0.4"});
  EXPECT_EQ(view.lines, (std::vector<std::string>{
                            "0.4000    -0.60000000   Euler Method",
                            "0.4000    -0.81096014   Analytical",
                            "0.4000    -0.21096014   Error",
                            " ",
                        }));
  EXPECT_EQ(view.redraws, 1);
  EXPECT_EQ(calc.N(), 1.0);
  ASSERT_EQ(calc.X().size(), 3u);
  EXPECT_EQ(calc.X()[1], 0.4);
  EXPECT_EQ(calc.Y()[1], -0.6);
  EXPECT_EQ(calc.X()[2], 0.0);
  EXPECT_EQ(calc.exact().npt, 10);
}

TEST(CalculationTest, SeveralRunsAppendUnderEachOther) {
  Calculation calc;
  RecordingView view;
  calc.run(entries("0.4", "1"), kEuler, view);
  const RunResult r = calc.run(entries("0.4", "3"), kRK4, view);
  EXPECT_TRUE(r.completed);
  ASSERT_EQ(view.lines.size(), 8u);
  EXPECT_EQ(view.lines[0], "0.4000    -0.60000000   Euler Method");
  EXPECT_EQ(view.lines[4], "0.4000    -0.81096251   Runge-Kutta-4 Method");
  EXPECT_EQ(view.stepSizes.back(), "0.133333333333333");
  // Three accumulated steps, worked out independently.
  EXPECT_EQ(calc.X()[3], 0.4);
  EXPECT_EQ(calc.Y()[3], -0.8109625060338498);
  EXPECT_EQ(calc.X().size(), 5u);
}

struct Fractional {
  std::string N;
  std::size_t tableSize;
  std::int64_t last;
  std::string first, third;  // report lines 1 and 3, worked out independently
};

// Tables run to N + 1 rounded half to even; the report reads the last point a step wrote, which
// for N 3.7 (and the tie 3.5) lies below N rounded.
TEST(CalculationTest, FractionalStepCountsReportTheLastWrittenPoint) {
  const std::string noStep = "0.0000    -1.00000000   Euler Method";
  const std::string noStepError = "0.4000    0.18903986   Error";
  const Fractional cases[] = {
      {"2.5", 5, 2, "0.3200    -0.75680000   Euler Method", "0.4000    -0.05416014   Error"},
      {"3.5", 5, 3, "0.3429    -0.77021574   Euler Method", "0.4000    -0.04074439   Error"},
      {"3.7", 6, 3, "0.3243    -0.77707145   Euler Method", "0.4000    -0.03388869   Error"},
      {"3.4", 5, 3, "0.3529    -0.76674130   Euler Method", "0.4000    -0.04421884   Error"},
      {"0.4", 2, 0, noStep, noStepError},
      {"-0.5", 1, 0, noStep, noStepError},
      {"0.5", 3, 0, noStep, noStepError}};
  for (const Fractional& c : cases) {
    Calculation calc;
    RecordingView view;
    const RunResult r = calc.run(entries("0.4", c.N), kEuler, view);
    ASSERT_TRUE(r.completed) << c.N << ": " << r.cause;
    EXPECT_EQ(calc.X().size(), c.tableSize) << c.N;
    EXPECT_EQ(calc.lastIndex(), c.last) << c.N;
    ASSERT_EQ(view.lines.size(), 4u);
    EXPECT_NE(calc.Y()[c.last], 0.0) << c.N << ": the reported point was written";
    EXPECT_EQ(view.lines[0], c.first) << c.N;
    EXPECT_EQ(view.lines[2], c.third) << c.N;
  }
}

TEST(CalculationTest, IntegratesBackwardsWhenTheTargetIsBelowTheStart) {
  Calculation calc;
  RecordingView view;
  ASSERT_TRUE(calc.run(entries("-1", "4"), kEuler, view).completed);
  EXPECT_EQ(view.stepSizes.back(), "-0.25");
  EXPECT_EQ(view.lines[0].substr(0, 11), "-1.0000    ");
  EXPECT_EQ(view.lines[1].substr(0, 11), "-1.0000    ");
}

TEST(CalculationTest, ErrorIsExactMinusNumerical) {
  Calculation calc;
  RecordingView view;
  // Euler's step ends above the exact curve, Runge-Kutta's three steps just below it.
  ASSERT_TRUE(calc.run(entries("0.4", "1"), kEuler, view).completed);
  ASSERT_TRUE(calc.run(entries("0.4", "3"), kRK4, view).completed);
  EXPECT_EQ(view.lines[2], "0.4000    -0.21096014   Error");
  EXPECT_EQ(view.lines[6], "0.4000    0.00000237   Error");
  // Fehlberg's ten steps end 7.7e-11 above the exact value: the error rounds to zero digits but
  // keeps the sign that tells on which side the method ended.
  ASSERT_TRUE(calc.run(entries("0.4", "10"), kMethods[4], view).completed);
  EXPECT_EQ(view.lines[10], "0.4000    -0.00000000   Error");
}

struct Stop {
  Entries in;
  std::string causeWord;  // the cause names what to change
  bool stepSizeShown;
};

// Each stop leaves what was done before it: nothing, or a new step size without lines or plot.
TEST(CalculationTest, StoppedRunsLeaveWhatWasDoneBeforeTheStop) {
  const Stop cases[] = {
      {entries("0.4", "0"), "N must not be 0", false},
      {entries("1e400", "1"), "x1 holds a number beyond", false},
      {entries("0.4", "-1e999"), "N holds a number beyond", false},
      {entries("1e308", "1e-300"), "step size", false},
      {entries("0", "1"), "x1 must differ from x0", true},
      {entries("0,4", "5"), "x1 must differ from x0", true},
      {entries("-800", "1"), "exact solution", true},
      {entries("0.4", "-1"), "must not be negative", true},
      {entries("0.4", "-0.7"), "must not be negative", true},
      {entries("0.4", "3e9"), "too large", true},
      {entries("1e300", "2"), "At step 2", true},
      {entries("8e307", "1"), "error", true},
  };
  for (const Stop& c : cases) {
    Calculation calc;
    RecordingView view;
    ASSERT_TRUE(calc.run(entries("0.4", "1"), kEuler, view).completed);
    const RunResult r = calc.run(c.in, kEuler, view);
    EXPECT_FALSE(r.completed) << c.in.x1 << " " << c.in.N;
    EXPECT_NE(r.cause.find(c.causeWord), std::string::npos) << r.cause;
    EXPECT_EQ(view.stepSizes.size(), c.stepSizeShown ? 2u : 1u) << r.cause;
    EXPECT_EQ(view.lines.size(), 4u) << r.cause;
    EXPECT_EQ(view.redraws, 1) << r.cause;
    // The window carries on: the next run completes.
    EXPECT_TRUE(calc.run(entries("0.4", "1"), kEuler, view).completed) << r.cause;
    EXPECT_EQ(view.lines.size(), 8u);
  }
}

TEST(CalculationTest, AStepThatLeavesTheRangeNeverReachesTheTables) {
  Calculation calc;
  RecordingView view;
  ASSERT_FALSE(calc.run(entries("1e300", "2"), kEuler, view).completed);
  for (double v : calc.Y()) EXPECT_TRUE(std::isfinite(v));
  EXPECT_EQ(calc.Y()[2], 0.0);
}

TEST(CalculationTest, APlotThatFailsKeepsTheFourLines) {
  Calculation calc;
  RecordingView view;
  view.redrawCause = "too large to plot";
  const RunResult r = calc.run(entries("0.4", "1"), kEuler, view);
  EXPECT_FALSE(r.completed);
  EXPECT_EQ(r.cause, "too large to plot");
  EXPECT_EQ(view.lines.size(), 4u);
}

TEST(CalculationTest, ReusedTablesAreZeroAboveTheWrittenPoints) {
  Calculation calc;
  RecordingView view;
  ASSERT_TRUE(calc.run(entries("0.4", "1000"), kRK4, view).completed);
  ASSERT_TRUE(calc.run(entries("0.4", "700.5"), kRK4, view).completed);
  ASSERT_EQ(calc.X().size(), 703u);
  EXPECT_EQ(calc.lastIndex(), 700);
  for (std::size_t i : {701u, 702u}) {
    EXPECT_EQ(calc.X()[i], 0.0);
    EXPECT_EQ(calc.Y()[i], 0.0);
  }
  ASSERT_FALSE(calc.run(entries("1e300", "999"), kEuler, view).completed);
  for (std::size_t i = 3; i < calc.Y().size(); ++i) ASSERT_EQ(calc.Y()[i], 0.0) << i;
}

TEST(CalculationTest, StepCountsBeyondTheFreeMemoryStopAtTableCreation) {
  const std::optional<std::uint64_t> free = availableMemoryBytes();
  ASSERT_TRUE(free.has_value());
  if (*free > (std::uint64_t{30} << 30)) GTEST_SKIP() << "this machine could hold 2e9 steps";
  Calculation calc;
  RecordingView view;
  const RunResult r = calc.run(entries("0.4", "2e9"), kEuler, view);
  EXPECT_FALSE(r.completed);
  EXPECT_NE(r.cause.find("32.0 GB"), std::string::npos) << r.cause;
  EXPECT_EQ(view.stepSizes.size(), 1u);
  EXPECT_TRUE(view.lines.empty());
}

// Tables are sized against the free memory with 64 MiB to spare for the rest of the system.
TEST(CalculationTest, TablesLeaveRoomBesideThemInTheFreeMemory) {
  const std::uint64_t need = 2 * (1000 + 2) * sizeof(double);  // N 1000: two tables of 1002
  struct Side {
    std::uint64_t room;
    bool goesOn;
  };
  for (const Side side : {Side{32u << 20, false}, Side{128u << 20, true}}) {
    Calculation calc([&] { return std::optional<std::uint64_t>(need + side.room); });
    RecordingView view;
    const RunResult r = calc.run(entries("0.4", "1000"), kEuler, view);
    EXPECT_EQ(r.completed, side.goesOn) << side.room << ": " << r.cause;
    EXPECT_EQ(view.lines.size(), side.goesOn ? 4u : 0u) << side.room;
    if (!side.goesOn) {
      EXPECT_NE(r.cause.find("of memory for the tables"), std::string::npos) << r.cause;
    }
  }
}

}  // namespace
}  // namespace kemi
