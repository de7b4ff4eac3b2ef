// The loops on any problem, instantiated for each method and each kind of equation.
#include "study/problem_steps.h"

#include <stdexcept>
#include <string>

#include "core/method_table.h"

namespace kemi::study {

FinalPoint finalPoint(const Problem& problem, std::size_t method, std::int64_t n,
                      const std::stop_token& stop, const StepsTaken& taken) {
  const double h = stepSize(problem.x0, problem.x1, static_cast<double>(n));
  return withFormula(method, [&](auto formula) {
    using Formula = decltype(formula);
    return withSlope(problem.equation, [&](const auto& f) {
      return finalSteps(formulaStep<Formula>(f), problem.x0, problem.y0, h, n, stop, taken);
    });
  });
}

Polygon polygon(const Problem& problem, std::size_t method, std::int64_t n) {
  if (n < 1 || n > kMaxPolygonSteps)
    throw std::invalid_argument("N must be a whole number from 1 to " +
                                std::to_string(kMaxPolygonSteps));
  const double h = stepSize(problem.x0, problem.x1, static_cast<double>(n));
  Polygon p;
  p.method = method;
  p.x.reserve(static_cast<std::size_t>(n) + 1);
  p.y.reserve(static_cast<std::size_t>(n) + 1);
  p.x.push_back(problem.x0);
  p.y.push_back(problem.y0);
  withFormula(method, [&](auto formula) {
    using Formula = decltype(formula);
    withSlope(problem.equation, [&](const auto& f) {
      double x = problem.x0;
      double y = problem.y0;
      const auto keep = [&p](std::int64_t, double xi, double yi) {
        p.x.push_back(xi);
        p.y.push_back(yi);
      };
      p.failedStep = takeSteps(formulaStep<Formula>(f), x, y, 1, n, h, keep);
    });
  });
  return p;
}

}  // namespace kemi::study
