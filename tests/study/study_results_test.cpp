// The lab's numbers against the run's: final points, step tables and sweep rows must be the
// run's tables to the last bit; stages must add up to the step; orders and limits must be the
// methods' own. Test problem: dy/dx = -2x - y, y(0) = -1, exact y = 2 - 2x - 3e^(-x).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <thread>

#include "core/calculation.h"
#include "study/convergence.h"
#include "study/problem_steps.h"
#include "study/stability.h"
#include "study/step_table.h"
#include "study/text_table.h"

namespace kemi::study {
namespace {

struct SilentView : RunView {
  void showStepSize(const std::string&) override {}
  void appendLines(const std::array<std::string, 4>&) override {}
  std::optional<std::string> redraw(const Calculation&, double&, double&) override { return {}; }
};

std::vector<std::size_t> allMethods() {
  std::vector<std::size_t> all(kMethods.size());
  for (std::size_t m = 0; m < all.size(); ++m) all[m] = m;
  return all;
}

Problem classroomTo(double x1) {
  return {Classroom{}, 0.0, -1.0, x1};
}

TEST(StudyResultsTest, FinalPointsStepTablesAndSweepRowsAreTheRunsTables) {
  const std::pair<const char*, std::int64_t> cases[] = {
      {"1", 8}, {"0.4", 3}, {"-2.5", 5}, {"3", 64}};
  for (const auto& [x1, n] : cases) {
    for (std::size_t m = 0; m < kMethods.size(); ++m) {
      SCOPED_TRACE(std::string(kMethods[m].id) + " x1 " + x1 + " N " + std::to_string(n));
      Calculation calc;
      SilentView view;
      ASSERT_TRUE(calc.run({"0", "-1", x1, std::to_string(n)}, kMethods[m], view).completed);
      const FinalPoint p = finalPoint(classroomTo(std::stod(x1)), m, n);
      EXPECT_EQ(p.x, calc.X()[n]);
      EXPECT_EQ(p.y, calc.Y()[n]);
      const StepTable table = buildStepTable(classroomTo(std::stod(x1)), m, n);
      ASSERT_EQ(table.rows.size(), static_cast<std::size_t>(n) + 1);
      for (std::int64_t i = 0; i <= n; ++i) {
        EXPECT_EQ(table.rows[i].x, calc.X()[i]);
        EXPECT_EQ(table.rows[i].y, calc.Y()[i]);
      }
    }
  }
  // Sweep rows at N = 1, 2, 4, 8 against runs of those N.
  const ConvergenceResult sweep = runConvergence(classroomTo(3.0), {3.0, 8, allMethods(), 2});
  ASSERT_EQ(sweep.rows.size(), 4 * kMethods.size());
  for (const ConvergenceRow& row : sweep.rows) {
    Calculation calc;
    SilentView view;
    ASSERT_TRUE(
        calc.run({"0", "-1", "3", std::to_string(row.N)}, kMethods[row.method], view).completed);
    EXPECT_EQ(row.x, calc.X()[row.N]);
    EXPECT_EQ(row.y, calc.Y()[row.N]);
    EXPECT_EQ(row.error, exactSolution(row.x) - row.y);
  }
}

// The final combination of each method, written from the textbook formulas over the stages.
double fromStages(std::size_t method, double y0, const std::array<double, 6>& k) {
  const double g = 1.0 / std::sqrt(2.0);
  switch (method) {
    case 0:
      return y0 + k[0];
    case 1:
      return y0 + (k[0] + k[1]) / 2.0;
    case 2:
      return y0 + k[1];
    case 3:
      return y0 + (((k[0] + 2.0 * k[1]) + 2.0 * k[2]) + k[3]) / 6.0;
    case 4:
      return y0 +
             (((((16.0 / 135.0) * k[0] + (6656.0 / 12825.0) * k[2]) + (28561.0 / 56430.0) * k[3]) -
               (9.0 / 50.0) * k[4]) +
              (2.0 / 55.0) * k[5]);
    case 5:
      return y0 + ((k[0] + 4.0 * k[3]) + k[4]) / 6.0;
    default:
      return y0 + (((k[0] + (2.0 * (1.0 - g)) * k[1]) + (2.0 * (1.0 + g)) * k[2]) + k[3]) / 6.0;
  }
}

TEST(StudyResultsTest, StagesAddUpToTheStepAndFirstStageIsTheSlopeAtTheStart) {
  const std::array<double, 3> x0s{0.0, -1.0, 0.3}, y0s{-1.0, -0.7, 2.5}, hs{0.5, 0.25, -0.1};
  for (std::size_t m = 0; m < kMethods.size(); ++m)
    for (std::size_t c = 0; c < x0s.size(); ++c) {
      SCOPED_TRACE(std::string(kMethods[m].id) + " case " + std::to_string(c));
      const StepTable table = buildStepTable(classroomTo(4 * hs[c]), m, 4);
      for (std::size_t i = 1; i < table.rows.size(); ++i) {
        const StepRow& row = table.rows[i];
        EXPECT_EQ(row.stages.stages, kMethods[m].evaluations);
        EXPECT_EQ(row.y, fromStages(m, table.rows[i - 1].y, row.stages.k));
      }
      double y = 0.0;
      StageRecord r;
      kMethods[m].staged(x0s[c], y0s[c], hs[c], y, r);
      EXPECT_EQ(y, fromStages(m, y0s[c], r.k));
      EXPECT_EQ(r.k[0], hs[c] * f1(x0s[c], y0s[c]));
    }
}

TEST(StudyResultsTest, ObservedOrdersApproachEachMethodsOrderAboveTheRoundingFloor) {
  const ConvergenceResult sweep = runConvergence(classroomTo(1.0), {1.0, 1 << 16, allMethods(), 0});
  std::array<int, kMethodCount> checked{};
  for (const ConvergenceRow& row : sweep.rows) {
    if (row.N < 16 || std::abs(row.error) < 1e-12) continue;
    EXPECT_NEAR(row.observedOrder, kMethods[row.method].order, 0.1)
        << kMethods[row.method].id << " N " << row.N;
    ++checked[row.method];
  }
  for (std::size_t m = 0; m < kMethods.size(); ++m) EXPECT_GE(checked[m], 2) << kMethods[m].id;
}

TEST(StudyResultsTest, SweepEndsAtTheRoundingFloorOrWhereAStepOverflows) {
  const ConvergenceResult floor = runConvergence(classroomTo(1.0), {1.0, 1 << 20, {3}, 0});
  ASSERT_EQ(floor.ends.size(), 1u);
  EXPECT_TRUE(floor.ends[0].roundingFloor);
  ASSERT_GE(floor.rows.size(), 4u);
  const std::size_t last = floor.rows.size() - 1;
  EXPECT_EQ(floor.ends[0].lastN, floor.rows[last].N);
  double best = INFINITY;
  for (std::size_t j = 0; j < last - 2; ++j) best = std::min(best, std::abs(floor.rows[j].error));
  for (std::size_t i = last - 2; i <= last; ++i) EXPECT_GE(std::abs(floor.rows[i].error), best);
  EXPECT_LT(std::abs(floor.rows[last - 3].error), std::abs(floor.rows[last - 4].error));

  // With h = 1e6 / N, Euler's factor (1 - h)^N leaves the double range first at N = 128.
  const ConvergenceResult wide = runConvergence(classroomTo(1e6), {1e6, 1 << 12, {0, 3}, 0});
  ASSERT_FALSE(wide.ends.empty());
  EXPECT_EQ(wide.ends[0].method, 0u);
  EXPECT_FALSE(wide.ends[0].roundingFloor);
  EXPECT_NE(wide.ends[0].cause.find("N = 128"), std::string::npos) << wide.ends[0].cause;
  EXPECT_EQ(wide.ends[0].lastN, 64);
  EXPECT_GT(std::count_if(wide.rows.begin(), wide.rows.end(),
                          [](const ConvergenceRow& r) { return r.method == 3; }),
            0);
}

TEST(StudyResultsTest, RowsDoNotDependOnWorkersAndACancelledSweepKeepsOnlyWholeRows) {
  const ConvergenceSettings settings{0.7, 1 << 14, allMethods(), 1};
  const std::thread::id caller = std::this_thread::get_id();
  const TextTable one = convergenceText(runConvergence(classroomTo(settings.x1), settings).rows);
  ConvergenceSettings three = settings;
  three.workers = 3;
  EXPECT_EQ(convergenceText(runConvergence(classroomTo(three.x1), three).rows).rows, one.rows);
  // Without threads: every task and every row on the calling thread.
  ConvergenceSettings inlined = settings;
  inlined.onCaller = true;
  SweepCallbacks onThisThread;
  bool elsewhere = false;
  onThisThread.row = [&](const ConvergenceRow&) {
    elsewhere = elsewhere || std::this_thread::get_id() != caller;
  };
  EXPECT_EQ(
      convergenceText(runConvergence(classroomTo(inlined.x1), inlined, {}, onThisThread).rows).rows,
      one.rows);
  EXPECT_FALSE(elsewhere);

  std::stop_source stop;
  int seen = 0;
  SweepCallbacks callbacks;
  callbacks.row = [&](const ConvergenceRow&) {
    if (++seen == 12) stop.request_stop();
  };
  const ConvergenceResult cut =
      runConvergence(classroomTo(three.x1), three, stop.get_token(), callbacks);
  EXPECT_TRUE(cut.cancelled);
  const TextTable part = convergenceText(cut.rows);
  ASSERT_GE(part.rows.size(), 12u);
  ASSERT_LT(part.rows.size(), one.rows.size());
  // Each method's rows are a prefix of its rows in the whole sweep.
  for (const auto& row : part.rows)
    EXPECT_NE(std::find(one.rows.begin(), one.rows.end(), row), one.rows.end());
}

TEST(StudyResultsTest, StabilityLimitIsWhereTheAmplificationFirstExceedsOne) {
  for (std::size_t m = 0; m < kMethods.size(); ++m) {
    const double limit = stabilityLimit(m);
    EXPECT_LE(std::abs(amplification(m, limit)), 1.0) << kMethods[m].id;
    EXPECT_GT(std::abs(amplification(m, limit + 2e-9)), 1.0) << kMethods[m].id;
  }
  EXPECT_EQ(stabilityLimit(0), 2.0);
  EXPECT_NEAR(stabilityLimit(3), 2.785293563, 2e-9);
  EXPECT_NEAR(stabilityLimit(6), stabilityLimit(3), 2e-9);
  // R(-h) of RK4 is the exponential's Taylor polynomial of degree four at -h.
  for (const double h : {0.1, 1.0, 2.5})
    EXPECT_NEAR(amplification(3, h), 1 - h + h * h / 2 - h * h * h / 6 + h * h * h * h / 24, 1e-14);
}

}  // namespace
}  // namespace kemi::study
