// The local error estimate of one step. Fehlberg's and Merson's pairs form it from the stages the
// step has already computed (no further evaluation of f); every other method estimates by step
// doubling, and then advances with the two half steps.
#pragma once

#include <array>
#include <cmath>
#include <type_traits>

#include "core/step_methods.h"

namespace kemi::study {

// Whether the method carries a second, lower-order member in its own stages.
template <class Formula>
inline constexpr bool kEmbedded = false;
template <>
inline constexpr bool kEmbedded<RKFFormula> = true;
template <>
inline constexpr bool kEmbedded<RKMFormula> = true;

// The fifth-order result minus the fourth-order one of Fehlberg's 4(5) pair: the weights are
// 16/135 - 25/216, 6656/12825 - 1408/2565, 28561/56430 - 2197/4104, -9/50 + 1/5 and 2/55.
inline double fehlbergEstimate(const std::array<double, 6>& k) {
  return ((((k[0] / 360.0 - (128.0 * k[2]) / 4275.0) - (2197.0 * k[3]) / 75240.0) + k[4] / 50.0) +
          (2.0 * k[5]) / 55.0);
}

// Merson's result minus the third-order predictor y0 + k1/2 - 3 k3/2 + 2 k4 (the point at which
// k5 is evaluated), divided by 5.
inline double mersonEstimate(const std::array<double, 6>& k) {
  return ((((-2.0 * k[0]) + 9.0 * k[2]) - 8.0 * k[3]) + k[4]) / 30.0;
}

// The estimate of an embedded pair from its stages k1..k6.
template <class Formula>
inline double embeddedEstimate(const std::array<double, 6>& k) {
  static_assert(kEmbedded<Formula>);
  if constexpr (std::is_same_v<Formula, RKFFormula>)
    return fehlbergEstimate(k);
  else
    return mersonEstimate(k);
}

// The result of one step and the estimate of its local error: for a pair the returned y minus
// the lower member (positive: y lies above the lower member); for step doubling the two half
// steps minus the full step, over 2^p - 1.
struct EstimatedStep {
  double y = 0.0;
  double estimate = 0.0;
  int evaluations = 0;  // calls of f this attempt made
};

// One step of Formula on f from (x0, y0) with size h, with its estimate. `order` is the
// method's order and `evaluations` its calls of f per step (kMethods' entries).
template <class Formula, class F>
inline EstimatedStep estimatedStep(const F& f, double x0, double y0, double h, int order,
                                   int evaluations) {
  EstimatedStep s;
  if constexpr (kEmbedded<Formula>) {
    std::array<double, 6> k{};
    Formula::apply(f, x0, y0, h, s.y,
                   [&k](int j, const double& kj) { k[static_cast<std::size_t>(j - 1)] = kj; });
    s.estimate = embeddedEstimate<Formula>(k);
    s.evaluations = evaluations;
  } else {
    double full = 0.0;
    Formula::apply(f, x0, y0, h, full, NoStages{});
    const double half = h / 2.0;
    double middle = 0.0;
    Formula::apply(f, x0, y0, half, middle, NoStages{});
    Formula::apply(f, x0 + half, middle, half, s.y, NoStages{});
    s.estimate = (s.y - full) / (std::ldexp(1.0, order) - 1.0);
    s.evaluations = 3 * evaluations;
  }
  return s;
}

}  // namespace kemi::study
