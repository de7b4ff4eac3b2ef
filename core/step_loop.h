// The one integration loop: every run, sweep, polygon and step table takes its steps here. It is
// a template on the step (any callable, a stateless lambda inlines as a function would) and on
// the state V (double; a complex number or a small vector works the same), instantiated once per
// step so that the step is inlined: the loop is bound by the latency of one step after another,
// and an indirect call or a re-read of a table entry would add to every step.
#pragma once

#include <cmath>
#include <complex>
#include <cstdint>
#include <type_traits>

#include "core/table_ranges.h"

namespace kemi {

// The size of each of n equal steps from x0 to x1: the difference first, then the division.
inline double stepSize(double x0, double x1, double n) {
  return (x1 - x0) / n;
}

// Whether a state is within the range of a double. A state type of its own gives an overload in
// its namespace; the loop finds it there.
inline bool isFiniteState(double v) {
  return std::isfinite(v);
}
inline bool isFiniteState(const std::complex<double>& v) {
  return std::isfinite(v.real()) && std::isfinite(v.imag());
}

// Takes steps first..last of size h from (x, y), step(x, y, h, ynew) each, handing each new
// point to keep(i, x, y). The abscissa accumulates (x + h each step), as a student doing it by
// hand would. x and y end at the last point taken. Returns 0 when every step finished, or the
// index of the first step whose point left the range of a double (or that a keep returning bool
// refused); that point is not taken.
template <class Step, class V, class Keep>
inline std::int64_t takeSteps(const Step& step, double& x, V& y, std::int64_t first,
                              std::int64_t last, double h, Keep&& keep) {
#pragma GCC unroll 2
  for (std::int64_t i = first; i <= last; ++i) {
    V ynew{};
    step(x, y, h, ynew);
    const double xnew = x + h;
    if (!(isFiniteState(ynew) && std::isfinite(xnew))) return i;
    if constexpr (std::is_same_v<decltype(keep(i, xnew, ynew)), bool>) {
      if (!keep(i, xnew, ynew)) return i;
    } else {
      keep(i, xnew, ynew);
    }
    x = xnew;
    y = ynew;
  }
  return 0;
}

// Takes `steps` steps of size h from (X[0], Y[0]) and stores each new point at X[i], Y[i].
// Returns 0 when every step finished, or the index of the first step whose point left the
// range of a double; that point is not stored. `ranges` gets the ranges of what was stored.
template <class Step>
std::int64_t integrate(const Step& step, double* X, double* Y, std::int64_t steps, double h,
                       TableRanges& ranges) {
  double x = X[0];
  double y = Y[0];
  Range ry{y, y};
  const std::int64_t failed =
      takeSteps(step, x, y, 1, steps, h, [&](std::int64_t i, double xi, double yi) {
        X[i] = xi;
        Y[i] = yi;
        ry.take(yi);
      });
  // The abscissae only move one way, by the same h, so their range is that of the two ends.
  // Equal abscissae are the same number: a sum is -0 only when both terms are.
  Range rx{X[0], X[0]};
  rx.take(x);
  ranges = {failed != 0 ? failed - 1 : (steps > 0 ? steps : 0), rx, ry};
  return failed;
}

using StepLoop = std::int64_t (*)(double* X, double* Y, std::int64_t steps, double h,
                                  TableRanges& ranges);

}  // namespace kemi
