// Equations other than classroom: presets against their exact solutions, typed classroom bit
// for bit, observed orders, stiff limits, reference solutions and the refusals of typed text.
#include <gtest/gtest.h>

#include <cmath>

#include "core/method_table.h"
#include "study/convergence.h"
#include "study/problem_stability.h"
#include "study/problem_steps.h"
#include "study/solution.h"
#include "study/step_table.h"
#include "study/text_table.h"

namespace kemi::study {
namespace {

// y'(x) - f(x, y(x)) by a central difference, relative to the size of y'.
double residual(const Problem& p, double x) {
  const auto exact = exactFunction(p.equation, p.x0, p.y0);
  const auto f = slopeFunction(p.equation);
  const double d = 1e-5;
  const double derivative = (exact(x + d) - exact(x - d)) / (2.0 * d);
  return std::abs(derivative - f(x, exact(x))) / std::max(1.0, std::abs(derivative));
}

TEST(ProblemTest, PresetExactSolutionsSolveTheirEquationFromAnyStart) {
  for (const PresetInfo& info : presetInfos()) {
    const AnyEquation equation = *presetById(info.id);
    if (!hasExactSolution(equation)) continue;
    SCOPED_TRACE(std::string(info.id));
    const std::vector<Problem> starts{presetProblem(equation),
                                      {equation, info.x0 + 0.25, info.y0 + 0.125, info.x1}};
    for (const Problem& p : starts) {
      EXPECT_NEAR(exactFunction(p.equation, p.x0, p.y0)(p.x0), p.y0, 1e-15);
      for (const double x : sampleAbscissae(p, 8)) EXPECT_LT(residual(p, x), 1e-6) << x;
    }
  }
}

TEST(ProblemTest, TypedClassroomIsClassroomBitForBit) {
  const Problem classroom{Classroom{}, 0.0, -1.0, 0.9};
  const Problem typed{TypedEquation("-2*x - y", ""), 0.0, -1.0, 0.9};
  for (std::size_t m = 0; m < kMethods.size(); ++m) {
    SCOPED_TRACE(std::string(kMethods[m].id));
    // The run's own loop on f1 into tables.
    std::vector<double> X(38, 0.0), Y(38, 0.0);
    X[0] = 0.0;
    Y[0] = -1.0;
    TableRanges ranges;
    ASSERT_EQ(kMethods[m].loop(X.data(), Y.data(), 37, stepSize(0.0, 0.9, 37.0), ranges), 0);
    const FinalPoint b = finalPoint(typed, m, 37);
    const FinalPoint c = finalPoint(classroom, m, 37);
    EXPECT_EQ(X[37], b.x);
    EXPECT_EQ(Y[37], b.y);
    EXPECT_EQ(Y[37], c.y);
    const StepTable t = buildStepTable(classroom, m, 5);
    const StepTable u = buildStepTable(typed, m, 5);
    ASSERT_EQ(t.rows.size(), u.rows.size());
    for (std::size_t i = 1; i < t.rows.size(); ++i) {
      EXPECT_EQ(t.rows[i].y, u.rows[i].y);
      EXPECT_EQ(t.rows[i].stages.k, u.rows[i].stages.k);
      EXPECT_EQ(t.rows[i].stages.slope, u.rows[i].stages.slope);
    }
    EXPECT_EQ(polygon(typed, m, 37).y.back(), Y[37]);
  }
}

TEST(ProblemTest, StagesRecordWhereFWasEvaluatedAndWhatItGave) {
  const Gauss gauss;
  for (std::size_t m = 0; m < kMethods.size(); ++m) {
    StageRecord r;
    double y = 0.0;
    withFormula(m,
                [&](auto formula) { stagedStepOn<decltype(formula)>(gauss, 0.3, 0.8, 0.1, y, r); });
    ASSERT_EQ(r.evaluations, kMethods[m].evaluations) << kMethods[m].id;
    EXPECT_EQ(r.x[0], 0.3);
    EXPECT_EQ(r.y[0], 0.8);
    for (int e = 0; e < r.evaluations; ++e) {
      const auto i = static_cast<std::size_t>(e);
      EXPECT_EQ(r.slope[i], gauss(r.x[i], r.y[i])) << kMethods[m].id << " evaluation " << e;
      EXPECT_TRUE(r.x[i] >= 0.3 && r.x[i] <= 0.4) << r.x[i];
    }
  }
}

TEST(ProblemTest, ObservedOrdersApproachEachMethodsOrderOnSmoothPresets) {
  ConvergenceSettings settings;
  settings.maxN = 1024;
  settings.workers = 2;
  for (std::size_t m = 0; m < kMethods.size(); ++m) settings.methods.push_back(m);
  for (const std::string_view id : {"growth", "logistic"}) {
    SCOPED_TRACE(std::string(id));
    const ConvergenceResult r = runConvergence(presetProblem(*presetById(id)), settings);
    // Each method's order observed closest to its own, above the rounding floor.
    std::vector<double> closest(kMethods.size(), INFINITY);
    for (const ConvergenceRow& row : r.rows) {
      const double off = std::abs(row.observedOrder - kMethods[row.method].order);
      if (row.N >= 8 && std::abs(row.error) > 1e-13 && off < closest[row.method])
        closest[row.method] = off;
    }
    for (std::size_t m = 0; m < kMethods.size(); ++m) EXPECT_LT(closest[m], 0.15) << kMethods[m].id;
  }
}

TEST(ProblemTest, StiffStepLimits) {
  const std::vector<std::pair<std::size_t, double>> limits{{0, 0.04}, {3, 0.0557058713}};
  const Problem stiff = presetProblem(Stiff{});
  const std::vector<ProblemStabilityRow> rows = problemStabilityRows(stiff, {0, 3});
  for (std::size_t i = 0; i < limits.size(); ++i) {
    EXPECT_EQ(rows[i].lambdaMin, -50.0);
    EXPECT_NEAR(rows[i].hLimit, limits[i].second, 1e-10);
    EXPECT_EQ(rows[i].nMin, static_cast<std::int64_t>(std::ceil(1.0 / limits[i].second)));
  }
  // Growth: lambda = 1 everywhere, so no step is unstable.
  EXPECT_FALSE(std::isfinite(problemStabilityRows(presetProblem(Growth{}), {0})[0].hLimit));
}

TEST(ProblemTest, ReferenceSolutionsAreAsAccurateAsTheySay) {
  const std::vector<std::pair<Problem, double>> known{
      {{TypedEquation("y", ""), 0.0, 1.0, 1.0}, std::exp(1.0)},
      {{TypedEquation("-2*x*y", ""), 0.0, 1.0, 2.0}, std::exp(-4.0)},
      {{TypedEquation("y*cos(x)", ""), 0.0, 1.0, 2.0}, std::exp(std::sin(2.0))},
      {{TypedEquation("-50*(y - cos(x))", ""), 0.0, 0.0, 1.0}, Stiff::exact(1.0, 0.0, 0.0)},
  };
  for (const auto& [problem, value] : known) {
    const Solution s(problem);
    ASSERT_FALSE(s.exact());
    EXPECT_LE(std::abs(s.at(problem.x1) - value), s.accuracy())
        << equationFormula(problem.equation);
    EXPECT_LT(s.accuracy(), 1e-10);
  }
  const Problem beyond{Riccati{}, 0.0, 1.0, 1.0};
  EXPECT_THROW(Solution{beyond}, ReferenceError);
}

TEST(ProblemTest, UnresolvedRowsGetNoOrder) {
  // Heun integrates y' = 2x exactly, so every error is rounding, below the reference's accuracy.
  ConvergenceSettings settings;
  settings.maxN = 32;
  settings.methods = {1, 3};
  const ConvergenceResult r = runConvergence({TypedEquation("2*x", ""), 0.0, 0.0, 1.0}, settings);
  ASSERT_FALSE(r.exact);
  int unresolved = 0;
  for (std::size_t i = 0; i < r.rows.size(); ++i) {
    const ConvergenceRow& row = r.rows[i];
    EXPECT_EQ(row.resolved, std::abs(row.error) > 10.0 * r.accuracy) << row.N;
    unresolved += row.resolved ? 0 : 1;
    if (!row.resolved || (i > 0 && !r.rows[i - 1].resolved && r.rows[i - 1].method == row.method)) {
      EXPECT_FALSE(row.hasOrder()) << kMethods[row.method].id << " N " << row.N;
    }
  }
  EXPECT_GT(unresolved, 0);
}

TEST(ProblemTest, UnstableRowsGetNoOrder) {
  // On stiff RK4's steps are unstable below N = 18: the errors at N = 16 and 32 would give
  // orders 30.2 and 26.5, which say nothing of the method.
  ConvergenceSettings settings;
  settings.maxN = 64;
  settings.methods = {3};
  const ConvergenceResult r = runConvergence(presetProblem(Stiff{}), settings);
  ASSERT_EQ(r.rows.size(), 7u);
  const TextTable text = convergenceText(r.rows);
  for (const std::size_t i : {4, 5}) {
    EXPECT_FALSE(r.rows[i].hasOrder()) << r.rows[i].N;
    EXPECT_EQ(text.rows[i][7], "") << r.rows[i].N;
  }
  EXPECT_TRUE(r.rows[6].hasOrder());
}

TEST(ProblemTest, TypedTextIsRefusedWithWhatAndWhere) {
  const std::vector<std::pair<std::string, std::string>> refused{
      {"-2*x-", "unexpected end of expression at position"},
      {"-2*x-+", "unexpected end of expression at position"},
      {"1e400 * y", "'1e400' at position 0 is not one a double can hold"},
      {"2x", "write 2*x"},
      {"sin(x)cos(x)", "write sin(x)*cos(x)"},
      {"x + z", "'z' at position 4"},
      {"foo(x)", "'foo'"},
      {"", "empty"},
      {std::string(1001, '1'), "longer than 1000"},
      {"1, 2", "','"},
  };
  for (const auto& [text, says] : refused) {
    const std::optional<std::string> why = expressionProblem(text, true);
    ASSERT_TRUE(why) << text;
    EXPECT_NE(why->find(says), std::string::npos) << *why;
  }
  EXPECT_EQ(Evaluator("ln(e) + log(e) + log10(100) + pi", true)(0.0, 0.0), 4.0 + M_PI);
}

TEST(ProblemTest, TypedExactSolutionsAreChecked) {
  struct Case {
    const char* f;
    const char* exact;
    double y0;
    bool accepted;
  };
  const std::vector<Case> cases{
      {"y", "exp(x)", 1.0, true},
      {"y", "1e6*exp(x)", 1e6, true},  // right, far from 0
      {"y", "exp(2*x)", 1.0, false},   // wrong derivative
      {"y", "2*exp(x)", 1.0, false},   // wrong start
      {"-2*x - y", "2 - 2*x - 3*exp(-x)", -1.0, true},
      {"-2*x - y", "2 - 2*x - 3*exp(-x) + x^3/1000", -1.0, false},  // slightly wrong
  };
  for (const Case& c : cases) {
    const Problem p{TypedEquation(c.f, c.exact), 0.0, c.y0, 1.0};
    if (c.accepted) {
      EXPECT_NO_THROW(checkProblem(p)) << c.exact;
    } else {
      EXPECT_THROW(checkProblem(p), std::invalid_argument) << c.exact;
    }
  }
}

}  // namespace
}  // namespace kemi::study

namespace kemi::study {
namespace {

TEST(ProblemTest, ProblemsThatCannotBeStudiedAreRefusedSayingWhy) {
  const std::vector<std::pair<Problem, std::string>> refused{
      {{Growth{}, 0.5, 1.0, 0.5}, "x1 must differ"},
      {{TypedEquation("1/y", ""), 0.0, 0.0, 1.0}, "not a finite number at the start"},
      {{TypedEquation("y", "exp(x)"), 0.0, 2.0, 1.0}, "not y0"},
      {{Classroom{}, 0.0, NAN, 1.0}, "finite"},
  };
  for (const auto& [problem, says] : refused) {
    try {
      checkProblem(problem);
      ADD_FAILURE() << "accepted: " << says;
    } catch (const std::invalid_argument& e) {
      EXPECT_NE(std::string(e.what()).find(says), std::string::npos) << e.what();
    }
  }
  // A solution that blows up before x1 is refused with where; one that needs too many steps too.
  const std::vector<std::pair<Problem, std::string>> unsolvable{
      {presetProblem(Riccati{}), ""},
      {{Riccati{}, 0.0, 1.0, 1.0}, "near x = 0.9698"},
      {{TypedEquation("-100000*y", ""), 0.0, 1.0, 100.0}, "more than 1000000 steps"},
  };
  for (const auto& [problem, says] : unsolvable) {
    if (says.empty()) {
      EXPECT_NO_THROW(Solution{problem});
      continue;
    }
    try {
      const Solution s(problem);
      ADD_FAILURE() << "solved: " << says;
    } catch (const ReferenceError& e) {
      EXPECT_NE(std::string(e.what()).find(says), std::string::npos) << e.what();
    }
  }
}

TEST(ProblemTest, SmallestStableNKeepsTheStepWithinTheLimit) {
  const Problem p{Classroom{}, 0.0, -1.0, 1.0};
  for (const double limit : {0.04, 0.0557058713, 0.1, 1.0 / 3.0, 2.0}) {
    const std::int64_t n = smallestStableN(p, limit);
    EXPECT_LE((p.x1 - p.x0) / static_cast<double>(n), limit) << limit;
    if (n > 1) {
      EXPECT_GT((p.x1 - p.x0) / static_cast<double>(n - 1), limit) << limit;
    }
  }
  EXPECT_EQ(smallestStableN(p, INFINITY), 0);
}

TEST(ProblemTest, PolygonStopsWhereAPointLeavesTheDoubleRange) {
  // Euler on y' = y^2 from y = 1e200: the second point is already beyond the range.
  const Polygon p = polygon({TypedEquation("y^2", ""), 0.0, 1e200, 1.0}, 0, 4);
  EXPECT_EQ(p.failedStep, 1);
  EXPECT_EQ(p.y.size(), 1u);
  const Polygon q = polygon(presetProblem(Growth{}), 3, 4);
  EXPECT_EQ(q.failedStep, 0);
  EXPECT_EQ(q.x.size(), 5u);
}

}  // namespace
}  // namespace kemi::study
