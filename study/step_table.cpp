// The step table, built with each method's staged step: the same formula code as the run's
// loop, so the points are the run's to the last bit and the stages are the ones that made them.
#include "study/step_table.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "core/method_table.h"
#include "core/number_format.h"
#include "study/embedded_estimate.h"
#include "study/solution.h"

namespace kemi::study {
namespace {

// The rows through the one step loop, with the staged step: the stages of each step are kept
// with the point they made.
template <class Formula, class F>
void fillTable(const F& f, const Problem& p, std::int64_t n, const Solution& solution,
               StepTable& table) {
  const double h = stepSize(p.x0, p.x1, static_cast<double>(n));
  StepRow first;
  first.x = p.x0;
  first.y = p.y0;
  first.exact = solution.at(first.x);
  table.rows.push_back(first);
  StageRecord stages;
  const auto staged = [&f, &stages](const double& x0, const double& y0, const double& hh,
                                    double& y) { stagedStepOn<Formula>(f, x0, y0, hh, y, stages); };
  double x = p.x0;
  double y = p.y0;
  const std::int64_t stopped =
      takeSteps(staged, x, y, 1, n, h, [&](std::int64_t i, double xi, double yi) {
        const StepRow& before = table.rows.back();
        StepRow row{i, xi, yi, solution.at(xi), 0.0, 0.0, stages};
        row.error = row.exact - row.y;
        if (!std::isfinite(row.error)) {
          table.cause = "At step " + std::to_string(i) + " (x = " + formatGeneral(row.x) +
                        ") the exact solution or the error is beyond the range of a double.";
          return false;
        }
        // One step of the method from the exact value at the step's start: the local error.
        double fromExact = 0.0;
        StageRecord unused;
        stagedStepOn<Formula>(f, before.x, before.exact, h, fromExact, unused);
        row.localError = row.exact - fromExact;
        if constexpr (kEmbedded<Formula>) row.estimate = embeddedEstimate<Formula>(row.stages.k);
        table.rows.push_back(row);
        return true;
      });
  if (stopped != 0 && table.cause.empty())
    table.cause = "Step " + std::to_string(stopped) + " (x = " + formatGeneral(x + h) +
                  ") left the range of a double.";
}

}  // namespace

StepTable buildStepTable(const Problem& problem, std::size_t method, std::int64_t n) {
  if (n < 1 || n > kMaxTableSteps)
    throw std::invalid_argument("N must be a whole number from 1 to " +
                                std::to_string(kMaxTableSteps));
  checkProblem(problem);
  // The abscissae accumulate independently of y, so a reference can be computed at them first.
  std::vector<double> xs;
  if (!hasExactSolution(problem.equation)) {
    const double h = stepSize(problem.x0, problem.x1, static_cast<double>(n));
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
    withSlope(problem.equation,
              [&](const auto& f) { fillTable<Formula>(f, problem, n, solution, table); });
  });
  return table;
}

}  // namespace kemi::study
