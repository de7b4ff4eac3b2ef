// The loops on any problem, instantiated for each method and each kind of equation.
#include "problem_steps.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "method_formulas.h"

namespace kemi::study {
namespace {

// Same shape as the run's loop: x accumulates, the first point outside the double range ends
// it. Returns 0 or the index of that step.
template <class Formula, class F, class Keep>
inline std::int64_t stepsOn(const F& f, double& x, double& y, std::int64_t first, std::int64_t last,
                            double h, Keep&& keep) {
  for (std::int64_t i = first; i <= last; ++i) {
    double ynew = 0.0;
    stepOn<Formula>(f, x, y, h, ynew);
    const double xnew = x + h;
    if (!(std::isfinite(ynew) && std::isfinite(xnew))) return i;
    keep(i, xnew, ynew);
    x = xnew;
    y = ynew;
  }
  return 0;
}

template <class Formula, class F>
FinalPoint finalLoopOn(const F& f, double x0, double y0, double h, std::int64_t n,
                       const std::stop_token& stop, const StepsTaken& taken) {
  double x = x0;
  double y = y0;
  for (std::int64_t first = 1; first <= n; first += kStepsBetweenStopChecks) {
    if (stop.stop_requested()) return {x, y, 0, true};
    const std::int64_t last = std::min(n, first + kStepsBetweenStopChecks - 1);
    const std::int64_t failed =
        stepsOn<Formula>(f, x, y, first, last, h, [](std::int64_t, double, double) {});
    if (failed != 0) return {x, y, failed, false};
    if (taken) taken(last);
  }
  return {x, y, 0, false};
}

// Calls run(f) with the equation's f: a preset itself, a typed one's own evaluator.
template <class Run>
decltype(auto) withSlope(const AnyEquation& equation, Run&& run) {
  return std::visit(
      [&](const auto& e) -> decltype(auto) {
        if constexpr (std::is_same_v<std::decay_t<decltype(e)>, TypedEquation>) {
          const Evaluator f = e.evaluator();
          return run(f);
        } else {
          return run(e);
        }
      },
      equation);
}

double stepSize(const Problem& p, std::int64_t n) {
  // The difference first, then the division, as the run forms it.
  return (p.x1 - p.x0) / static_cast<double>(n);
}

}  // namespace

FinalPoint finalPoint(const Problem& problem, std::size_t method, std::int64_t n,
                      const std::stop_token& stop, const StepsTaken& taken) {
  const double h = stepSize(problem, n);
  return withFormula(method, [&](auto formula) {
    using Formula = decltype(formula);
    return withSlope(problem.equation, [&](const auto& f) {
      return finalLoopOn<Formula>(f, problem.x0, problem.y0, h, n, stop, taken);
    });
  });
}

Polygon polygon(const Problem& problem, std::size_t method, std::int64_t n) {
  if (n < 1 || n > kMaxPolygonSteps)
    throw std::invalid_argument("N must be a whole number from 1 to " +
                                std::to_string(kMaxPolygonSteps));
  const double h = stepSize(problem, n);
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
      p.failedStep = stepsOn<Formula>(f, x, y, 1, n, h, [&p](std::int64_t, double xi, double yi) {
        p.x.push_back(xi);
        p.y.push_back(yi);
      });
    });
  });
  return p;
}

}  // namespace kemi::study
