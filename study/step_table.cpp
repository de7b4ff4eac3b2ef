// The step table, built with each method's staged step: the same formula code as the run's
// loop, so the points are the run's to the last bit and the stages are the ones that made them.
#include "step_table.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "embedded_estimate.h"
#include "method_formulas.h"
#include "number_format.h"
#include "solution.h"

namespace kemi::study {
namespace {

template <class Formula, class F>
void fillTable(const F& f, const Problem& p, std::int64_t n, const Solution& solution,
               StepTable& table) {
  const double h = (p.x1 - p.x0) / static_cast<double>(n);
  StepRow first;
  first.x = p.x0;
  first.y = p.y0;
  first.exact = solution.at(first.x);
  table.rows.push_back(first);
  for (std::int64_t i = 1; i <= n; ++i) {
    const StepRow& before = table.rows.back();
    StepRow row;
    row.i = i;
    stagedStepOn<Formula>(f, before.x, before.y, h, row.y, row.stages);
    row.x = before.x + h;
    if (!(std::isfinite(row.y) && std::isfinite(row.x))) {
      table.cause = "Step " + std::to_string(i) + " (x = " + formatGeneral(row.x) +
                    ") left the range of a double.";
      break;
    }
    row.exact = solution.at(row.x);
    row.error = row.exact - row.y;
    if (!std::isfinite(row.error)) {
      table.cause = "At step " + std::to_string(i) + " (x = " + formatGeneral(row.x) +
                    ") the exact solution or the error is beyond the range of a double.";
      break;
    }
    // One step of the method from the exact value at the step's start: the local error.
    double fromExact = 0.0;
    StageRecord unused;
    stagedStepOn<Formula>(f, before.x, before.exact, h, fromExact, unused);
    row.localError = row.exact - fromExact;
    if constexpr (kEmbedded<Formula>) row.estimate = embeddedEstimate<Formula>(row.stages.k);
    table.rows.push_back(row);
  }
}

}  // namespace

StepTable buildStepTable(std::size_t method, double x1, std::int64_t n) {
  if (!std::isfinite(x1) || x1 == 0.0)
    throw std::invalid_argument("x1 must be a finite number other than 0");
  return buildStepTable(Problem{Classroom{}, 0.0, -1.0, x1}, method, n);
}

StepTable buildStepTable(const Problem& problem, std::size_t method, std::int64_t n) {
  if (n < 1 || n > kMaxTableSteps)
    throw std::invalid_argument("N must be a whole number from 1 to " +
                                std::to_string(kMaxTableSteps));
  checkProblem(problem);
  // The abscissae accumulate independently of y, so a reference can be computed at them first.
  std::vector<double> xs;
  if (!hasExactSolution(problem.equation)) {
    const double h = (problem.x1 - problem.x0) / static_cast<double>(n);
    double x = problem.x0;
    for (std::int64_t i = 0; i <= n; ++i, x += h) xs.push_back(x);
  }
  const Solution solution(problem, xs);
  StepTable table;
  table.exact = solution.exact();
  table.accuracy = solution.accuracy();
  table.rows.reserve(static_cast<std::size_t>(n) + 1);
  withFormula(method, [&](auto formula) {
    using Formula = decltype(formula);
    table.hasEstimate = kEmbedded<Formula>;
    std::visit(
        [&](const auto& e) {
          if constexpr (std::is_same_v<std::decay_t<decltype(e)>, TypedEquation>) {
            const Evaluator f = e.evaluator();
            fillTable<Formula>(f, problem, n, solution, table);
          } else {
            fillTable<Formula>(e, problem, n, solution, table);
          }
        },
        problem.equation);
  });
  return table;
}

}  // namespace kemi::study
