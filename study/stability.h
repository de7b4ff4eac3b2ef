// Stability on the negative real axis: one step of y' = -y with step h maps y to R(-h) y, where
// R is the method's stability function. The stability limit is the largest h0 with
// |R(-h)| <= 1 for every 0 < h <= h0.
#pragma once

#include <vector>

namespace kemi::study {

// R(-h) of kMethods[method].
double amplification(std::size_t method, double h);

// The stability limit, found by a scan and a bisection to 1e-9.
double stabilityLimit(std::size_t method);

struct StabilityRow {
  std::size_t method = 0;
  int order = 0;
  int evaluations = 0;
  double limit = 0.0;
};
std::vector<StabilityRow> stabilityRows(const std::vector<std::size_t>& methods);

struct AmplificationPoint {
  double h = 0.0;
  double r = 0.0;  // R(-h)
};
// R(-h) at `samples` equally spaced h from hMax / samples to hMax.
std::vector<AmplificationPoint> amplificationCurve(std::size_t method, double hMax = 4.0,
                                                   int samples = 400);

}  // namespace kemi::study
