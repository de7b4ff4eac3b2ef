// The loops on a system, instantiated for each method and each kind of system.
#include "study/system_steps.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/number_format.h"
#include "study/problem_steps.h"
#include "study/step_table.h"
#include "study/system_methods.h"
#include "study/system_solution.h"

namespace kemi::study {
namespace {

bool finite(const Vec2& y) {
  return std::isfinite(y[0]) && std::isfinite(y[1]);
}

// The run's loop on a state of two: x accumulates, the first point outside the double range
// ends it. Returns 0 or the index of that step.
template <class Formula, class F, class Keep>
inline std::int64_t systemSteps(const F& f, double& x, Vec2& y, std::int64_t first,
                                std::int64_t last, double h, Keep&& keep) {
  for (std::int64_t i = first; i <= last; ++i) {
    Vec2 ynew;
    Formula::apply(f, x, y, h, ynew, NoStages{});
    const double xnew = x + h;
    if (!(finite(ynew) && std::isfinite(xnew))) return i;
    keep(i, xnew, ynew);
    x = xnew;
    y = ynew;
  }
  return 0;
}

double stepSize(const SystemProblem& p, std::int64_t n) {
  return (p.x1 - p.x0) / static_cast<double>(n);
}

template <class Run>
decltype(auto) withMethodAndSlope(const SystemProblem& p, std::size_t method, Run&& run) {
  return withSystemFormula(method, [&](auto formula) {
    return withSystemSlope(p.system, [&](const auto& f) { return run(formula, f); });
  });
}

}  // namespace

void checkMethodApplies(const SystemProblem& problem, std::size_t method) {
  if (method >= kSystemMethodCount) throw std::invalid_argument("no such method");
  if (isSymplectic(method) && !isSecondOrderWithoutVelocity(problem.system))
    throw std::invalid_argument(
        std::string(systemMethodId(method)) +
        " applies only to a second-order equation y'' = g(x, y) whose g does not use y' "
        "(oscillator, pendulum, or --f2 without v); " +
        systemId(problem.system) + " is not one");
}

SystemFinalPoint systemFinalPoint(const SystemProblem& problem, std::size_t method,
                                  std::int64_t n, const std::stop_token& stop) {
  checkMethodApplies(problem, method);
  const double h = stepSize(problem, n);
  return withMethodAndSlope(problem, method, [&](auto formula, const auto& f) {
    using Formula = decltype(formula);
    double x = problem.x0;
    Vec2 y = problem.y0;
    for (std::int64_t first = 1; first <= n; first += kStepsBetweenStopChecks) {
      if (stop.stop_requested()) return SystemFinalPoint{x, y, 0, true};
      const std::int64_t last = std::min(n, first + kStepsBetweenStopChecks - 1);
      const std::int64_t failed = systemSteps<Formula>(f, x, y, first, last, h,
                                                       [](std::int64_t, double, const Vec2&) {});
      if (failed != 0) return SystemFinalPoint{x, y, failed, false};
    }
    return SystemFinalPoint{x, y, 0, false};
  });
}

SystemPolygon systemPolygon(const SystemProblem& problem, std::size_t method, std::int64_t n) {
  if (n < 1 || n > kMaxPolygonSteps)
    throw std::invalid_argument("N must be a whole number from 1 to " +
                                std::to_string(kMaxPolygonSteps));
  checkMethodApplies(problem, method);
  const double h = stepSize(problem, n);
  SystemPolygon p;
  p.method = method;
  p.x.push_back(problem.x0);
  p.y.push_back(problem.y0);
  withMethodAndSlope(problem, method, [&](auto formula, const auto& f) {
    double x = problem.x0;
    Vec2 y = problem.y0;
    p.failedStep = systemSteps<decltype(formula)>(f, x, y, 1, n, h,
                                                  [&p](std::int64_t, double xi, const Vec2& yi) {
                                                    p.x.push_back(xi);
                                                    p.y.push_back(yi);
                                                  });
  });
  return p;
}

SystemStepTable buildSystemStepTable(const SystemProblem& problem, std::size_t method,
                                     std::int64_t n) {
  if (n < 1 || n > kMaxTableSteps)
    throw std::invalid_argument("N must be a whole number from 1 to " +
                                std::to_string(kMaxTableSteps));
  checkSystemProblem(problem);
  checkMethodApplies(problem, method);
  const double h = stepSize(problem, n);
  std::vector<double> xs;
  if (!hasExactSolution(problem.system)) {
    double x = problem.x0;
    for (std::int64_t i = 0; i <= n; ++i, x += h) xs.push_back(x);
  }
  const SystemSolution solution(problem, xs);
  const auto invariant = systemInvariant(problem.system);
  SystemStepTable table;
  table.exact = solution.exact();
  table.accuracy = solution.accuracy();
  const auto invariantAt = [&](const Vec2& y) { return invariant ? invariant(y) : NAN; };
  table.rows.push_back({0, problem.x0, problem.y0, solution.at(problem.x0), 0.0, 0.0,
                        invariantAt(problem.y0), {}, 0});
  withMethodAndSlope(problem, method, [&](auto formula, const auto& f) {
    using Formula = decltype(formula);
    for (std::int64_t i = 1; i <= n; ++i) {
      const SystemStepRow& before = table.rows.back();
      SystemStepRow row;
      row.i = i;
      const auto record = [&row](int j, const Vec2& kj) {
        row.k[static_cast<std::size_t>(j - 1)] = kj;
        row.stages = j;
      };
      Formula::apply(f, before.x, before.y, h, row.y, record);
      row.x = before.x + h;
      if (!(finite(row.y) && std::isfinite(row.x))) {
        table.cause = "Step " + std::to_string(i) + " (x = " + formatGeneral(row.x) +
                      ") left the range of a double.";
        break;
      }
      row.exact = solution.at(row.x);
      row.error = maxNorm(row.exact, row.y);
      Vec2 fromExact;
      Formula::apply(f, before.x, before.exact, h, fromExact, NoStages{});
      row.localError = maxNorm(row.exact, fromExact);
      row.invariant = invariantAt(row.y);
      table.rows.push_back(row);
    }
  });
  return table;
}

}  // namespace kemi::study
