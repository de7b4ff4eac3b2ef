// Reference solutions of systems by Boost.Odeint's controlled Runge-Kutta-Fehlberg 7(8), driven
// step by step so that the work is capped and a solution that blows up is told from a hard one.
#include <algorithm>
#include <array>
#include <boost/numeric/odeint.hpp>
#include <cmath>

#include "core/number_format.h"
#include "study/solution.h"
#include "study/system_solution.h"

namespace kemi::study {
namespace {

using State = std::array<double, 2>;
namespace odeint = boost::numeric::odeint;

[[noreturn]] void blowsUp(double x) {
  throw ReferenceError("the solution leaves the range of a double near x = " + formatGeneral(x) +
                       ", before x1");
}

struct Run {
  std::vector<Vec2> ys;
  long steps = 0;
  double largest = 0.0;
};

double largestOf(const State& y) {
  return std::max(std::abs(y[0]), std::abs(y[1]));
}

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
template <class F>
Run integrateTo(const F& f, const SystemProblem& p, std::span<const double> xs, double tolerance) {
  const auto system = [&f](const State& y, State& dydx, double x) {
    const Vec2 d = f(x, Vec2{{y[0], y[1]}});
    dydx = {d[0], d[1]};
  };
  auto stepper =
      odeint::make_controlled<odeint::runge_kutta_fehlberg78<State>>(tolerance, tolerance);
  const double direction = p.x1 > p.x0 ? 1.0 : -1.0;
  State y{p.y0[0], p.y0[1]};
  double x = p.x0;
  double dt = (p.x1 - p.x0) / 64.0;
  Run run;
  run.ys.reserve(xs.size());
  run.largest = largestOf(y);
  for (const double target : xs) {
    while ((target - x) * direction > 0.0) {
      if (++run.steps > kMaxReferenceSteps)
        throw ReferenceError("the reference solution needs more than " +
                             std::to_string(kMaxReferenceSteps) +
                             " steps (stopped at x = " + formatGeneral(x) + ")");
      double tryDt = dt;
      const bool last = (x + tryDt - target) * direction >= 0.0;
      if (last) tryDt = target - x;
      const double before = x;
      if (stepper.try_step(system, y, x, tryDt) == odeint::success) {
        if (!std::isfinite(largestOf(y)) || largestOf(y) > 1e300) blowsUp(x);
        run.largest = std::max(run.largest, largestOf(y));
        if (last) x = target;
        if (!last || std::abs(tryDt) > std::abs(dt)) dt = tryDt;
      } else {
        dt = tryDt;
        if (before + dt == before || !std::isfinite(dt)) blowsUp(x);
      }
    }
    run.ys.push_back(Vec2{{y[0], y[1]}});
  }
  return run;
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

}  // namespace

SystemReference systemReference(const SystemProblem& problem, std::span<const double> xs) {
  return withSystemSlope(problem.system, [&](const auto& f) {
    const Run fine = integrateTo(f, problem, xs, 1e-13);
    const Run rough = integrateTo(f, problem, xs, 1e-10);
    // As for one equation: the gap to the rougher run bounds the finer one's truncation, and
    // an ulp of the largest component per step bounds its rounding.
    SystemReference r;
    r.ys = fine.ys;
    for (std::size_t i = 0; i < xs.size(); ++i)
      r.accuracy = std::max(r.accuracy, maxNorm(fine.ys[i], rough.ys[i]));
    r.accuracy += 2.220446049250313e-16 * fine.largest * static_cast<double>(fine.steps + 1);
    return r;
  });
}

SystemSolution::SystemSolution(const SystemProblem& problem, std::span<const double> xs)
    : exact_(systemExact(problem.system, problem.x0, problem.y0)) {
  if (exact_) return;
  std::vector<double> at(xs.begin(), xs.end());
  at.push_back(problem.x1);
  const bool up = problem.x1 > problem.x0;
  std::sort(at.begin(), at.end(), [up](double a, double b) { return up ? a < b : a > b; });
  at.erase(std::unique(at.begin(), at.end()), at.end());
  SystemReference r = systemReference(problem, at);
  accuracy_ = r.accuracy;
  if (!up) {
    std::reverse(at.begin(), at.end());
    std::reverse(r.ys.begin(), r.ys.end());
  }
  xs_ = std::move(at);
  ys_ = std::move(r.ys);
  const auto f = systemSlope(problem.system);
  for (std::size_t i = 0; i < xs_.size(); ++i) slopes_.push_back(f(xs_[i], ys_[i]));
}

Vec2 SystemSolution::at(double x) const {
  if (exact_) return exact_(x);
  const auto above = std::lower_bound(xs_.begin(), xs_.end(), x);
  auto i = static_cast<std::size_t>(above - xs_.begin());
  if (i == xs_.size() || (i > 0 && x - xs_[i - 1] < xs_[i] - x)) --i;
  if (x == xs_[i]) return ys_[i];
  // Off by the rounding of an accumulated abscissa: one step along the slope.
  return ys_[i] + (x - xs_[i]) * slopes_[i];
}

std::vector<double> systemSamples(const SystemProblem& problem, int count) {
  std::vector<double> xs;
  for (int i = 0; i <= count; ++i)
    xs.push_back(i == count ? problem.x1 : problem.x0 + (problem.x1 - problem.x0) * i / count);
  return xs;
}

}  // namespace kemi::study
