// lambda along the solution, and the step limits and smallest stable N that follow from it.
#include "study/problem_stability.h"

#include <cmath>
#include <limits>

#include "core/step_loop.h"

namespace kemi::study {

LambdaRange lambdaRange(const Problem& problem, const Solution& solution) {
  const std::function<double(double, double)> dfdy = dfdyFunction(problem.equation);
  LambdaRange range{std::numeric_limits<double>::infinity(), problem.x0};
  for (const double x : sampleAbscissae(problem, kLambdaSamples)) {
    const double lambda = dfdy(x, solution.at(x));
    if (lambda < range.lambdaMin) range = {lambda, x};
  }
  return range;
}

double stepLimit(double limit, double lambdaMin) {
  if (!(lambdaMin < 0.0)) return std::numeric_limits<double>::infinity();
  return limit / -lambdaMin;
}

std::int64_t smallestStableN(const Problem& problem, double hLimit) {
  if (!std::isfinite(hLimit)) return 0;
  const double length = std::abs(problem.x1 - problem.x0);
  const double steps = std::ceil(length / hLimit);
  if (!(steps < 4e18)) return std::numeric_limits<std::int64_t>::max();
  auto n = static_cast<std::int64_t>(steps);
  n = std::max<std::int64_t>(n, 1);
  // The step as the loops form it, so that the N given really is within the limit.
  const auto h = [&problem](std::int64_t steps) {
    return std::abs(stepSize(problem.x0, problem.x1, static_cast<double>(steps)));
  };
  while (h(n) > hLimit) ++n;
  while (n > 1 && h(n - 1) <= hLimit) --n;
  return n;
}

std::vector<ProblemStabilityRow> problemStabilityRows(const Problem& problem,
                                                      const std::vector<std::size_t>& methods) {
  checkProblem(problem);
  const Solution solution(problem, sampleAbscissae(problem, kLambdaSamples));
  const LambdaRange range = lambdaRange(problem, solution);
  std::vector<ProblemStabilityRow> rows;
  for (const StabilityRow& m : stabilityRows(methods)) {
    const double h = stepLimit(m.limit, range.lambdaMin);
    rows.push_back({m, range.lambdaMin, h, smallestStableN(problem, h)});
  }
  return rows;
}

}  // namespace kemi::study
