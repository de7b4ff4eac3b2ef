// The integration loop shared by all methods, instantiated once per step method so that the
// method is inlined: the loop is bound by the latency of one step after another, and an
// indirect call or a re-read of a table entry would add to every step.
#pragma once

#include <cmath>
#include <cstdint>

#include "table_ranges.h"

namespace kemi {

using StepMethod = void (*)(const double& x0, const double& y0, const double& h, double& y);

// Takes `steps` steps of size h from (X[0], Y[0]) and stores each new point at X[i], Y[i].
// The abscissa accumulates (X[i] = X[i-1] + h), as a student doing it by hand would.
// Returns 0 when every step finished, or the index of the first step whose point left the
// range of a double; that point is not stored. `ranges` gets the ranges of what was stored.
template <StepMethod Step>
std::int64_t integrate(double* X, double* Y, std::int64_t steps, double h, TableRanges& ranges) {
  double x = X[0];
  double y = Y[0];
  Range ry{y, y};
  std::int64_t failed = 0;
  std::int64_t i = 1;
#pragma GCC unroll 2
  for (; i <= steps; ++i) {
    double ynew = 0.0;
    Step(x, y, h, ynew);
    const double xnew = x + h;
    if (!(std::isfinite(ynew) && std::isfinite(xnew))) {
      failed = i;
      break;
    }
    X[i] = xnew;
    Y[i] = ynew;
    ry.take(ynew);
    x = xnew;
    y = ynew;
  }
  // The abscissae only move one way, by the same h, so their range is that of the two ends.
  // Equal abscissae are the same number: a sum is -0 only when both terms are.
  Range rx{X[0], X[0]};
  rx.take(x);
  ranges = {i - 1, rx, ry};
  return failed;
}

using StepLoop = std::int64_t (*)(double* X, double* Y, std::int64_t steps, double h,
                                  TableRanges& ranges);

}  // namespace kemi
