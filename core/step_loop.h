// The integration loop shared by all methods, instantiated once per step method so that the
// method is inlined: the loop is bound by the latency of one step after another, and an
// indirect call or a re-read of a table entry would add to every step.
#pragma once

#include <cmath>
#include <cstdint>

#include "table_ranges.h"

namespace kemi {

using StepMethod = void (*)(const double& x0, const double& y0, const double& h, double& y);

// Takes steps first..last of size h from (x, y), handing each new point to keep(i, x, y).
// The abscissa accumulates (x + h each step), as a student doing it by hand would. x and y end
// at the last point taken. Returns 0 when every step finished, or the index of the first step
// whose point left the range of a double; that point is neither kept nor taken.
template <StepMethod Step, class Keep>
inline std::int64_t takeSteps(double& x, double& y, std::int64_t first, std::int64_t last,
                              double h, Keep&& keep) {
#pragma GCC unroll 2
  for (std::int64_t i = first; i <= last; ++i) {
    double ynew = 0.0;
    Step(x, y, h, ynew);
    const double xnew = x + h;
    if (!(std::isfinite(ynew) && std::isfinite(xnew))) return i;
    keep(i, xnew, ynew);
    x = xnew;
    y = ynew;
  }
  return 0;
}

// Takes `steps` steps of size h from (X[0], Y[0]) and stores each new point at X[i], Y[i].
// Returns 0 when every step finished, or the index of the first step whose point left the
// range of a double; that point is not stored. `ranges` gets the ranges of what was stored.
template <StepMethod Step>
std::int64_t integrate(double* X, double* Y, std::int64_t steps, double h, TableRanges& ranges) {
  double x = X[0];
  double y = Y[0];
  Range ry{y, y};
  const std::int64_t failed =
      takeSteps<Step>(x, y, 1, steps, h, [&](std::int64_t i, double xi, double yi) {
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
