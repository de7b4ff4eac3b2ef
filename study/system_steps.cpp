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

// One step of Formula on f, as the step loop calls it.
template <class Formula, class F>
auto stepWith(const F& f) {
  return [&f](const double& x, const Vec2& y, const double& h, Vec2& ynew) {
    Formula::apply(f, x, y, h, ynew, NoStages{});
  };
}

double stepSize(const SystemProblem& p, std::int64_t n) {
  return kemi::stepSize(p.x0, p.x1, static_cast<double>(n));
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

SystemFinalPoint systemFinalPoint(const SystemProblem& problem, std::size_t method, std::int64_t n,
                                  const std::stop_token& stop) {
  checkMethodApplies(problem, method);
  const double h = stepSize(problem, n);
  return withMethodAndSlope(problem, method, [&](auto formula, const auto& f) {
    return finalSteps(stepWith<decltype(formula)>(f), problem.x0, problem.y0, h, n, stop, {});
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
    p.failedStep = takeSteps(stepWith<decltype(formula)>(f), x, y, 1, n, h,
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
  table.rows.push_back({0,
                        problem.x0,
                        problem.y0,
                        solution.at(problem.x0),
                        0.0,
                        0.0,
                        invariantAt(problem.y0),
                        {},
                        0});
  withMethodAndSlope(problem, method, [&](auto formula, const auto& f) {
    using Formula = decltype(formula);
    // The rows through the one step loop; each step's stages are kept with the point it made.
    std::array<Vec2, 6> k{};
    int stages = 0;
    const auto staged = [&](const double& x0, const Vec2& y0, const double& hh, Vec2& y) {
      stages = 0;
      Formula::apply(f, x0, y0, hh, y, [&](int j, const Vec2& kj) {
        k[static_cast<std::size_t>(j - 1)] = kj;
        stages = j;
      });
    };
    double x = problem.x0;
    Vec2 y = problem.y0;
    const std::int64_t stopped =
        takeSteps(staged, x, y, 1, n, h, [&](std::int64_t i, double xi, const Vec2& yi) {
          const SystemStepRow& before = table.rows.back();
          SystemStepRow row{i, xi, yi, solution.at(xi), 0.0, 0.0, invariantAt(yi), k, stages};
          row.error = maxNorm(row.exact, row.y);
          if (!std::isfinite(row.error)) {
            table.cause = "At step " + std::to_string(i) + " (x = " + formatGeneral(row.x) +
                          ") the solution or the error is beyond the range of a double.";
            return false;
          }
          Vec2 fromExact;
          Formula::apply(f, before.x, before.exact, h, fromExact, NoStages{});
          row.localError = maxNorm(row.exact, fromExact);
          table.rows.push_back(row);
          return true;
        });
    if (stopped != 0 && table.cause.empty())
      table.cause = "Step " + std::to_string(stopped) + " (x = " + formatGeneral(x + h) +
                    ") left the range of a double.";
  });
  return table;
}

}  // namespace kemi::study
