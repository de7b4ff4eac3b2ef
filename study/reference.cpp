// Reference solutions by Boost.Odeint's controlled Runge-Kutta-Fehlberg 7(8): driven step by step
// here, so that the work can be capped and a solution that blows up is told from a hard one.
#include <algorithm>
#include <array>
#include <boost/numeric/odeint.hpp>
#include <charconv>
#include <cmath>
#include <string>

#include "solution.h"

namespace kemi::study {
namespace {

using State = std::array<double, 1>;
namespace odeint = boost::numeric::odeint;

// Four significant digits: the point is where, not the last bit.
std::string near(double x) {
  std::array<char, 32> buffer{};
  const auto r =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), x, std::chars_format::general, 5);
  return std::string(buffer.data(), r.ptr);
}

[[noreturn]] void blowsUp(double x) {
  throw ReferenceError("the solution leaves the range of a double near x = " + near(x) +
                       ", before x1");
}

template <class F>
std::vector<double> integrateTo(const F& f, const Problem& p, std::span<const double> xs,
                                double tolerance) {
  const auto system = [&f](const State& y, State& dydx, double x) { dydx[0] = f(x, y[0]); };
  auto stepper =
      odeint::make_controlled<odeint::runge_kutta_fehlberg78<State>>(tolerance, tolerance);
  const double direction = p.x1 > p.x0 ? 1.0 : -1.0;
  State y{p.y0};
  double x = p.x0;
  double dt = (p.x1 - p.x0) / 64.0;
  long steps = 0;
  std::vector<double> ys;
  ys.reserve(xs.size());
  for (const double target : xs) {
    while ((target - x) * direction > 0.0) {
      if (++steps > kMaxReferenceSteps)
        throw ReferenceError("the reference solution needs more than " +
                             std::to_string(kMaxReferenceSteps) +
                             " steps (stopped at x = " + near(x) + ")");
      double tryDt = dt;
      const bool last = (x + tryDt - target) * direction >= 0.0;
      if (last) tryDt = target - x;
      const double before = x;
      if (stepper.try_step(system, y, x, tryDt) == odeint::success) {
        if (!std::isfinite(y[0]) || std::abs(y[0]) > 1e300) blowsUp(x);
        if (last) x = target;  // the abscissa asked for, not a sum that missed it by a bit
        if (!last || std::abs(tryDt) > std::abs(dt)) dt = tryDt;
      } else {
        dt = tryDt;
        // A step too small to move x: the solution grows without bound here.
        if (before + dt == before || !std::isfinite(dt)) blowsUp(x);
      }
    }
    ys.push_back(y[0]);
  }
  return ys;
}

}  // namespace

Reference referenceSolution(const Problem& problem, std::span<const double> xs) {
  return std::visit(
      [&](const auto& equation) {
        using E = std::decay_t<decltype(equation)>;
        const auto solve = [&](double tolerance) {
          if constexpr (std::is_same_v<E, TypedEquation>) {
            const Evaluator f = equation.evaluator();
            return integrateTo(f, problem, xs, tolerance);
          } else {
            return integrateTo(equation, problem, xs, tolerance);
          }
        };
        Reference r;
        r.ys = solve(1e-13);
        const std::vector<double> rough = solve(1e-10);
        for (std::size_t i = 0; i < xs.size(); ++i) {
          const double floor = 4.0 * 2.220446049250313e-16 * std::abs(r.ys[i]);
          // The tighter run is taken as the reference; the gap to the rougher one bounds its
          // error generously, since the rougher one's error is the larger by far.
          r.accuracy = std::max(r.accuracy, std::max(std::abs(r.ys[i] - rough[i]), floor));
        }
        return r;
      },
      problem.equation);
}

}  // namespace kemi::study
