// The error estimates and the adaptive run. Test problems: logistic dy/dx = y(1 - y), y(0) = 0.1,
// exact y = 1/(1 + 9e^(-x)); growth dy/dx = y, y(0) = 1, exact e^x; classroom dy/dx = -2x - y,
// y(0) = -1, exact 2 - 2x - 3e^(-x).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/method_table.h"
#include "core/step_stages.h"
#include "study/adaptive.h"
#include "study/adaptive_sweep.h"
#include "study/embedded_estimate.h"
#include "study/step_table.h"
#include "study/text_table.h"

namespace kemi::study {
namespace {

constexpr double kEps = std::numeric_limits<double>::epsilon();

// The lower members, computed on their own from the step's stages.
double fehlbergFourth(double y0, const StageRecord& r) {
  const auto& k = r.k;
  return y0 + ((((25.0 * k[0]) / 216.0 + (1408.0 * k[2]) / 2565.0) + (2197.0 * k[3]) / 4104.0) -
               k[4] / 5.0);
}
double mersonPredictor(double y0, const StageRecord& r) {
  const auto& k = r.k;
  return ((y0 + k[0] / 2.0) - (3.0 * k[2]) / 2.0) + 2.0 * k[3];
}

TEST(AdaptiveTest, EstimateIsTheDifferenceOfThePairsMembers) {
  const struct {
    double x0, y0, h;
  } points[] = {{0.0, 0.1, 0.5}, {1.0, 0.3, 0.25}, {2.5, 0.8, 1.0}, {0.0, 0.1, -0.3}};
  const Logistic f;
  for (const auto& p : points) {
    SCOPED_TRACE(p.h);
    StageRecord r;
    double y = 0.0;
    stagedStepOn<RKFFormula>(f, p.x0, p.y0, p.h, y, r);
    const EstimatedStep rkf = estimatedStep<RKFFormula>(f, p.x0, p.y0, p.h, 5, 6);
    EXPECT_EQ(rkf.y, y);
    EXPECT_NEAR(rkf.estimate, y - fehlbergFourth(p.y0, r), 4 * kEps * std::abs(y));
    EXPECT_GT(std::abs(rkf.estimate), 0.0);
    stagedStepOn<RKMFormula>(f, p.x0, p.y0, p.h, y, r);
    const EstimatedStep rkm = estimatedStep<RKMFormula>(f, p.x0, p.y0, p.h, 4, 5);
    EXPECT_EQ(rkm.y, y);
    EXPECT_NEAR(rkm.estimate, (y - mersonPredictor(p.y0, r)) / 5.0, 4 * kEps * std::abs(y));
    EXPECT_EQ(rkm.evaluations, 5);
  }
}

// The step table's estimate column is the pair's estimate of each step, empty for the others.
TEST(AdaptiveTest, StepTableCarriesThePairsEstimate) {
  const Problem problem = presetProblem(Logistic{});
  for (const std::size_t m : {4u, 5u, 3u}) {
    const StepTable t = buildStepTable(problem, m, 4);
    EXPECT_EQ(t.hasEstimate, m != 3);
    const TextTable text = stepText(t);
    for (std::size_t i = 1; i < t.rows.size(); ++i) {
      const StepRow& before = t.rows[i - 1];
      const EstimatedStep s = withFormula(m, [&](auto formula) {
        return estimatedStep<decltype(formula)>(Logistic{}, before.x, before.y,
                                                (problem.x1 - problem.x0) / 4.0, 4, 5);
      });
      EXPECT_EQ(text.rows[i].back(), m == 3 ? "" : shortestText(s.estimate));
    }
    EXPECT_EQ(text.rows[0].back(), "");
  }
}

// Step doubling advances with two half steps, and its estimate approaches their true local
// error as h falls.
TEST(AdaptiveTest, StepDoublingAdvancesWithTwoHalfStepsAndEstimatesTheirError) {
  const Logistic f;
  for (const std::size_t m : {0u, 1u, 2u, 3u, 6u}) {
    SCOPED_TRACE(kMethods[m].id);
    withFormula(m, [&](auto formula) {
      using Formula = decltype(formula);
      const double h = 0.05;
      const EstimatedStep s =
          estimatedStep<Formula>(f, 1.0, 0.3, h, kMethods[m].order, kMethods[m].evaluations);
      double middle = 0.0;
      double two = 0.0;
      Formula::apply(f, 1.0, 0.3, h / 2.0, middle, NoStages{});
      Formula::apply(f, 1.0 + h / 2.0, middle, h / 2.0, two, NoStages{});
      EXPECT_EQ(s.y, two);
      EXPECT_EQ(s.evaluations, 3 * kMethods[m].evaluations);
      const double local = Logistic::exact(1.0 + h, 1.0, 0.3) - s.y;
      EXPECT_NEAR(s.estimate / local, 1.0, 0.1);
    });
  }
}

// log2 of the estimate at h over the estimate at h/2, at the start of logistic.
double estimateOrder(std::size_t m, double h) {
  return withFormula(m, [&](auto formula) {
    using Formula = decltype(formula);
    const Logistic f;
    const auto at = [&](double hh) {
      return estimatedStep<Formula>(f, 0.0, 0.1, hh, kMethods[m].order, kMethods[m].evaluations)
          .estimate;
    };
    return std::log2(std::abs(at(h) / at(h / 2.0)));
  });
}

TEST(AdaptiveTest, EstimatesHaveTheirOrderOnLogistic) {
  for (const double h : {0.4, 0.2, 0.1}) {
    EXPECT_NEAR(estimateOrder(4, h), 5.0, 0.3) << "RKF h " << h;
    EXPECT_NEAR(estimateOrder(5, h), 4.0, 0.3) << "RKM h " << h;
    EXPECT_NEAR(estimateOrder(3, h), 5.0, 0.3) << "RK4 h " << h;
  }
}

// The controller's promises on problems with an exact solution: no accepted attempt above the
// tolerance, the last one ending on x1 exactly, and an error at x1 that follows tol.
TEST(AdaptiveTest, RunsKeepTheirToleranceAndEndOnX1) {
  const AnyEquation equations[] = {Growth{}, Logistic{}, Classroom{}};
  for (const AnyEquation& e : equations) {
    const Problem problem = presetProblem(e);
    for (const std::size_t m : {4u, 5u}) {
      for (int k = 3; k <= 10; ++k) {
        const double tol = std::pow(10.0, -k);
        SCOPED_TRACE(equationId(e) + " " + std::string(kMethods[m].id) + " tol " +
                     std::to_string(tol));
        const AdaptiveResult r = runAdaptive(problem, {m, tol, tol, std::nullopt, true});
        ASSERT_EQ(r.end, AdaptiveEnd::Reached);
        ASSERT_FALSE(r.attempts.empty());
        for (const Attempt& a : r.attempts) EXPECT_EQ(a.accepted, a.err <= 1.0);
        EXPECT_TRUE(r.attempts.back().accepted);
        EXPECT_EQ(r.attempts.back().xEnd, problem.x1);
        EXPECT_EQ(r.x, problem.x1);
        const double ratio = std::abs(r.error) / tol;
        EXPECT_GE(ratio, 0.001);
        EXPECT_LE(ratio, 100.0);
      }
    }
  }
}

TEST(AdaptiveTest, StiffAtALooseToleranceIsHeldByStability) {
  const Problem problem{Stiff{}, 0.0, 0.0, 10.0};
  EXPECT_TRUE(runAdaptive(problem, {4, 1e-3, 1e-3, std::nullopt, false}).stabilityHeld);
  EXPECT_FALSE(runAdaptive(problem, {4, 1e-8, 1e-8, std::nullopt, false}).stabilityHeld);
}

TEST(AdaptiveTest, RefusesBadSettings) {
  const Problem problem = presetProblem(Logistic{});
  const AdaptiveSettings bad[] = {{4, 0.0, 1e-6, std::nullopt, true},
                                  {4, 1e-6, -1e-3, std::nullopt, true},
                                  {4, NAN, 1e-6, std::nullopt, true},
                                  {4, 1e-15, 1e-6, std::nullopt, true},
                                  {4, 1e-6, INFINITY, std::nullopt, true},
                                  {4, 1e-6, 1e-6, 0.0, true},
                                  {4, 1e-6, 1e-6, -0.1, true},
                                  {4, 1e-6, 1e-6, NAN, true},
                                  {7, 1e-6, 1e-6, std::nullopt, true}};
  for (const AdaptiveSettings& s : bad)
    EXPECT_THROW(checkAdaptive(problem, s), std::invalid_argument);
  EXPECT_NO_THROW(checkAdaptive(problem, {4, 1e-14, 1e-6, 0.1, true}));
}

TEST(AdaptiveTest, StopsWhenTheStepSizeBecomesTooSmall) {
  // y = 1/(1 - x) blows up at x = 1: the steps shrink towards it.
  const Problem problem{Growth{}, 0.0, 1.0, 2.0};
  Problem pole = problem;
  pole.equation = TypedEquation("y^2", "");
  const AdaptiveResult r = runAdaptive(pole, {4, 1e-8, 1e-8, std::nullopt, false});
  EXPECT_NE(r.end, AdaptiveEnd::Reached);
  EXPECT_LT(r.x, 1.0);
  EXPECT_FALSE(r.cause.empty());
}

// classroom at tol 1e-10 takes more than 20 attempts to reach x1 = 1; the cause the command line
// prints carries the cap's count.
TEST(AdaptiveTest, StopsAtTheAttemptCapWithItsCount) {
  for (const bool keep : {true, false}) {
    AdaptiveSettings settings{4, 1e-10, 1e-10, std::nullopt, keep};
    settings.maxAttempts = 20;
    const AdaptiveResult r = runAdaptive(Problem{}, settings);
    EXPECT_EQ(r.end, AdaptiveEnd::TooMany);
    EXPECT_EQ(r.accepted + r.rejected, 20);
    EXPECT_EQ(r.attempts.size(), keep ? 20u : 0u);
    EXPECT_LT(r.x, 1.0);
    EXPECT_EQ(r.cause, "stopped after 20 attempts at x = " + shortestText(r.x));
  }
}

}  // namespace
}  // namespace kemi::study
