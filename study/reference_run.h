// Reference solutions by Boost.Odeint's controlled Runge-Kutta-Fehlberg 7(8), for one equation
// and for a system alike: driven step by step here, so that the work can be capped and a solution
// that blows up is told from a hard one, and run at two tolerances, the gap bounding the error.
#pragma once

#include <algorithm>
#include <array>
#include <boost/numeric/odeint.hpp>
#include <cmath>
#include <span>
#include <vector>

namespace kemi::study {

// Throw ReferenceError saying why no reference reaches x1, with the x where it stopped.
[[noreturn]] void referenceBlowsUp(double x);
[[noreturn]] void referenceTooLong(double x);

template <std::size_t D>
struct ReferenceRun {
  std::vector<std::array<double, D>> ys;
  long steps = 0;        // steps taken, the failed ones too
  double largest = 0.0;  // the largest |component| on the way
  double accuracy = 0.0;
};

template <std::size_t D>
double largestComponent(const std::array<double, D>& y) {
  double largest = 0.0;
  for (const double c : y) {
    if (!std::isfinite(c)) return c;
    largest = std::max(largest, std::abs(c));
  }
  return largest;
}

// g++ 12 at -O3 warns that copying odeint's stepper copies its scratch state before it is set;
// that state is written before it is read in every step.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
// The values at `xs` (in the order of integration, each between x0 and x1) of the solution of
// slope(y, dydx, x) through (x0, y0), at one tolerance, absolute and relative.
template <std::size_t D, class Slope>
ReferenceRun<D> referenceRun(const Slope& slope, double x0, double x1, std::array<double, D> y,
                             std::span<const double> xs, double tolerance, long maxSteps) {
  using State = std::array<double, D>;
  namespace odeint = boost::numeric::odeint;
  auto stepper =
      odeint::make_controlled<odeint::runge_kutta_fehlberg78<State>>(tolerance, tolerance);
  const double direction = x1 > x0 ? 1.0 : -1.0;
  double x = x0;
  double dt = (x1 - x0) / 64.0;
  ReferenceRun<D> run;
  run.ys.reserve(xs.size());
  run.largest = largestComponent(y);
  for (const double target : xs) {
    while ((target - x) * direction > 0.0) {
      if (++run.steps > maxSteps) referenceTooLong(x);
      double tryDt = dt;
      const bool last = (x + tryDt - target) * direction >= 0.0;
      if (last) tryDt = target - x;
      const double before = x;
      if (stepper.try_step(slope, y, x, tryDt) == odeint::success) {
        const double largest = largestComponent(y);
        if (!std::isfinite(largest) || largest > 1e300) referenceBlowsUp(x);
        run.largest = std::max(run.largest, largest);
        if (last) x = target;  // the abscissa asked for, not a sum that missed it by a bit
        if (!last || std::abs(tryDt) > std::abs(dt)) dt = tryDt;
      } else {
        dt = tryDt;
        // A step too small to move x: the solution grows without bound here.
        if (before + dt == before || !std::isfinite(dt)) referenceBlowsUp(x);
      }
    }
    run.ys.push_back(y);
  }
  return run;
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

// The run at 1e-13 with its accuracy: the gap to a run at 1e-10 bounds its truncation error (the
// rougher run's error is the larger by far), and an ulp of the largest component per step its
// rounding.
template <std::size_t D, class Slope>
ReferenceRun<D> twoToleranceReference(const Slope& slope, double x0, double x1,
                                      const std::array<double, D>& y0, std::span<const double> xs,
                                      long maxSteps) {
  ReferenceRun<D> fine = referenceRun(slope, x0, x1, y0, xs, 1e-13, maxSteps);
  const ReferenceRun<D> rough = referenceRun(slope, x0, x1, y0, xs, 1e-10, maxSteps);
  for (std::size_t i = 0; i < xs.size(); ++i)
    for (std::size_t c = 0; c < D; ++c)
      fine.accuracy = std::max(fine.accuracy, std::abs(fine.ys[i][c] - rough.ys[i][c]));
  fine.accuracy += 2.220446049250313e-16 * fine.largest * static_cast<double>(fine.steps + 1);
  return fine;
}

}  // namespace kemi::study
