// Reference solutions by Boost.Odeint's controlled Runge-Kutta-Fehlberg 7(8): driven step by step
// here, so that the work can be capped and a solution that blows up is told from a hard one.
#include <fmt/format.h>
#include <algorithm>
#include <array>
#include <boost/numeric/odeint.hpp>
#include <cmath>
#include <string>

#include "study/solution.h"

namespace kemi::study {
namespace {

using State = std::array<double, 1>;
namespace odeint = boost::numeric::odeint;

// Four significant digits: the point is where, not the last bit.
std::string near(double x) {
  return fmt::format("{:.5g}", x);
}

[[noreturn]] void blowsUp(double x) {
  throw ReferenceError("the solution leaves the range of a double near x = " + near(x) +
                       ", before x1");
}

struct Run {
  std::vector<double> ys;
  long steps = 0;        // steps taken, the failed ones too
  double largest = 0.0;  // the largest |y| on the way
};

// g++ 12 at -O3 warns that copying odeint's stepper copies its scratch state before it is set;
// that state is written before it is read in every step.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
template <class F>
Run integrateTo(const F& f, const Problem& p, std::span<const double> xs, double tolerance) {
  const auto system = [&f](const State& y, State& dydx, double x) { dydx[0] = f(x, y[0]); };
  auto stepper =
      odeint::make_controlled<odeint::runge_kutta_fehlberg78<State>>(tolerance, tolerance);
  const double direction = p.x1 > p.x0 ? 1.0 : -1.0;
  State y{p.y0};
  double x = p.x0;
  double dt = (p.x1 - p.x0) / 64.0;
  long steps = 0;
  Run run;
  run.ys.reserve(xs.size());
  run.largest = std::abs(p.y0);
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
        run.largest = std::max(run.largest, std::abs(y[0]));
        if (last) x = target;  // the abscissa asked for, not a sum that missed it by a bit
        if (!last || std::abs(tryDt) > std::abs(dt)) dt = tryDt;
      } else {
        dt = tryDt;
        // A step too small to move x: the solution grows without bound here.
        if (before + dt == before || !std::isfinite(dt)) blowsUp(x);
      }
    }
    run.ys.push_back(y[0]);
  }
  run.steps = steps;
  return run;
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

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
        const Run fine = solve(1e-13);
        const Run rough = solve(1e-10);
        // The tighter run is the reference. Its error from truncation is below the gap to the
        // rougher one, whose error is the larger by far; its rounding is bounded by an ulp of
        // the largest |y| per step, added up.
        const double rounding =
            2.220446049250313e-16 * fine.largest * static_cast<double>(fine.steps + 1);
        Reference r;
        r.ys = fine.ys;
        for (std::size_t i = 0; i < xs.size(); ++i)
          r.accuracy = std::max(r.accuracy, std::abs(fine.ys[i] - rough.ys[i]));
        r.accuracy += rounding;
        return r;
      },
      problem.equation);
}

}  // namespace kemi::study
