// The amplification factor R(-h) of each method, from its stability function, and its
// stability limit on the negative real axis.
#include "study/stability.h"

#include <algorithm>
#include <cmath>

#include "core/method_table.h"
#include "study/stability_region.h"

namespace kemi::study {
namespace {

bool stable(std::size_t method, double h) {
  return std::abs(amplification(method, h)) <= 1.0;
}

// Where the scan looks for the first h with |R(-h)| > 1, and how finely. Every method here
// loses stability below 4; the scan's end only bounds the search.
constexpr double kScanEnd = 16.0;
constexpr double kScanStep = 1.0 / 1024.0;
constexpr double kTolerance = 1e-9;

}  // namespace

double amplification(std::size_t method, double h) {
  // R(z) on the negative real axis: one step of y' = z y from y = 1 with z = -h.
  return stabilityFunction(method, Complex(-h, 0.0)).real();
}

double stabilityLimit(std::size_t method) {
  // Scan up from 0 in steps that are exact in binary until |R| first exceeds 1, then bisect
  // between the last stable h and the first unstable one.
  double lo = 0.0;
  double hi = 0.0;
  for (int i = 1;; ++i) {
    hi = i * kScanStep;
    if (hi > kScanEnd) return INFINITY;
    if (!stable(method, hi)) break;
    lo = hi;
  }
  while (hi - lo > kTolerance) {
    const double mid = lo + (hi - lo) / 2.0;
    (stable(method, mid) ? lo : hi) = mid;
  }
  return lo;
}

std::vector<StabilityRow> stabilityRows(const std::vector<std::size_t>& methods) {
  std::vector<StabilityRow> rows;
  rows.reserve(methods.size());
  for (const std::size_t m : methods)
    rows.push_back({m, kMethods.at(m).order, kMethods.at(m).evaluations, stabilityLimit(m)});
  return rows;
}

std::vector<AmplificationPoint> amplificationCurve(std::size_t method, double hMax, int samples) {
  std::vector<AmplificationPoint> curve;
  curve.reserve(static_cast<std::size_t>(std::max(samples, 0)));
  for (int i = 1; i <= samples; ++i) {
    const double h = hMax * i / samples;
    curve.push_back({h, amplification(method, h)});
  }
  return curve;
}

}  // namespace kemi::study
