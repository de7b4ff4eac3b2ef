// The integration loop shared by all methods, instantiated once per step method so that the
// method is inlined: the loop is bound by the latency of one step after another, and an
// indirect call or a re-read of a table entry would add to every step.
#pragma once

#include <cmath>
#include <cstdint>

namespace kemi {

using StepMethod = void (*)(const double& x0, const double& y0, const double& h, double& y);

// Takes `steps` steps of size h from (X[0], Y[0]) and stores each new point at X[i], Y[i].
// The abscissa accumulates (X[i] = X[i-1] + h), as a student doing it by hand would.
// Returns 0 when every step finished, or the index of the first step whose point left the
// range of a double; that point is not stored.
template <StepMethod Step>
std::int64_t integrate(double* X, double* Y, std::int64_t steps, double h) {
  double x = X[0];
  double y = Y[0];
  for (std::int64_t i = 1; i <= steps; ++i) {
    double ynew = 0.0;
    Step(x, y, h, ynew);
    const double xnew = x + h;
    if (!(std::isfinite(ynew) && std::isfinite(xnew))) return i;
    X[i] = xnew;
    Y[i] = ynew;
    x = xnew;
    y = ynew;
  }
  return 0;
}

using StepLoop = std::int64_t (*)(double* X, double* Y, std::int64_t steps, double h);

}  // namespace kemi
