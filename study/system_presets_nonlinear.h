// The preset systems without a closed form or invariant: van der Pol's oscillator, tame and
// stiff, and a linear system whose two decay rates differ tenfold.
#pragma once

#include <cmath>

#include "core/vec.h"
#include "study/system_preset_info.h"

namespace kemi::study {

// y'' = mu (1 - y^2) y' - y: every orbit winds onto one closed cycle.
template <int Mu>
struct VanDerPolOf {
  static constexpr double mu = Mu;
  static constexpr bool kHasExact = false;
  static constexpr bool kHasInvariant = false;
  Vec2 operator()(const double& /*x*/, const Vec2& y) const {
    return {{y[1], (mu * (1.0 - y[0] * y[0])) * y[1] - y[0]}};
  }
  static Mat2 jacobian(double /*x*/, const Vec2& y) {
    return {0.0, 1.0, ((-2.0 * mu) * y[0]) * y[1] - 1.0, mu * (1.0 - y[0] * y[0])};
  }
  static Vec2 exact(double /*x*/, double /*x0*/, const Vec2& /*y0*/) { return {{NAN, NAN}}; }
  static double invariant(const Vec2& /*y*/) { return NAN; }
};

struct VanDerPol : VanDerPolOf<1> {
  static constexpr SystemInfo info{
      "vanderpol", "y2; 1*(1 - y1^2)*y2 - y1", "", "", 0.0, 2.0, 0.0, 10.0, false};
};

// mu = 10: slow drifts along the cycle, where df2/dy2 reaches -30, between fast jumps.
struct VanDerPolStiff : VanDerPolOf<10> {
  static constexpr SystemInfo info{
      "vanderpol-stiff", "y2; 10*(1 - y1^2)*y2 - y1", "", "", 0.0, 2.0, 0.0, 20.0, false};
};

// y' = A y with A = [[-5.5, 4.5], [4.5, -5.5]]: eigenvalues -1 along (1, 1) and -10 along
// (1, -1). The fast mode is gone early, yet it bounds the step of every explicit method.
struct Linear2 {
  static constexpr SystemInfo info{"linear2",
                                   "-5.5*y1 + 4.5*y2; 4.5*y1 - 5.5*y2",
                                   "(exp(-x) + exp(-10*x))/2; (exp(-x) - exp(-10*x))/2",
                                   "",
                                   0.0,
                                   1.0,
                                   0.0,
                                   2.0,
                                   false};
  static constexpr bool kHasExact = true;
  static constexpr bool kHasInvariant = false;
  Vec2 operator()(const double& /*x*/, const Vec2& y) const {
    return {{-5.5 * y[0] + 4.5 * y[1], 4.5 * y[0] - 5.5 * y[1]}};
  }
  static Mat2 jacobian(double /*x*/, const Vec2& /*y*/) { return {-5.5, 4.5, 4.5, -5.5}; }
  static Vec2 exact(double x, double x0, const Vec2& y0) {
    const double slow = ((y0[0] + y0[1]) / 2.0) * std::exp(-(x - x0));
    const double fast = ((y0[0] - y0[1]) / 2.0) * std::exp(-10.0 * (x - x0));
    return {{slow + fast, slow - fast}};
  }
  static double invariant(const Vec2& /*y*/) { return NAN; }
};

}  // namespace kemi::study
