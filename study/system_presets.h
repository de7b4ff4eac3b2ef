// The preset systems y' = f(x, y) with y = (y1, y2): plain structs with inline functions, as the
// one-equation presets are, so that a step formula on Vec2 compiles to the bare arithmetic. Each
// knows its start, a suggested x1, its Jacobian and, where they exist, its exact solution through
// any start and a quantity the exact solution keeps constant.
#pragma once

#include <cmath>
#include <string_view>

#include "core/vec.h"
#include "study/system_preset_info.h"

namespace kemi::study {

// y'' = -y as y1' = y2, y2' = -y1: a circle in the phase plane, eigenvalues +-i.
struct Oscillator {
  static constexpr SystemInfo info{
      "oscillator", "y2; -y1", "cos(x); -sin(x)", "y1^2 + y2^2", 0.0, 1.0, 0.0, 10.0, true};
  static constexpr bool kHasExact = true;
  static constexpr bool kHasInvariant = true;
  Vec2 operator()(const double& /*x*/, const Vec2& y) const { return {{y[1], -y[0]}}; }
  static Mat2 jacobian(double /*x*/, const Vec2& /*y*/) { return {0.0, 1.0, -1.0, 0.0}; }
  static Vec2 exact(double x, double x0, const Vec2& y0) {
    const double c = std::cos(x - x0);
    const double s = std::sin(x - x0);
    return {{y0[0] * c + y0[1] * s, y0[1] * c - y0[0] * s}};
  }
  static double invariant(const Vec2& y) { return y[0] * y[0] + y[1] * y[1]; }
};

// y'' = -y - 0.2 y': the oscillator losing energy, eigenvalues -0.1 +- i sqrt(0.99).
struct Damped {
  static constexpr SystemInfo info{
      "damped",
      "y2; -y1 - 0.2*y2",
      "exp(-0.1*x)*(cos(sqrt(0.99)*x) + 0.1/sqrt(0.99)*sin(sqrt(0.99)*x)); "
      "-exp(-0.1*x)*sin(sqrt(0.99)*x)/sqrt(0.99)",
      "",
      0.0,
      1.0,
      0.0,
      10.0,
      false};
  static constexpr bool kHasExact = true;
  static constexpr bool kHasInvariant = false;
  Vec2 operator()(const double& /*x*/, const Vec2& y) const { return {{y[1], -y[0] - 0.2 * y[1]}}; }
  static Mat2 jacobian(double /*x*/, const Vec2& /*y*/) { return {0.0, 1.0, -1.0, -0.2}; }
  static Vec2 exact(double x, double x0, const Vec2& y0) {
    const double w = std::sqrt(0.99);
    const double t = x - x0;
    const double a = y0[0];
    const double b = (y0[1] + 0.1 * a) / w;
    const double decay = std::exp(-0.1 * t);
    const double c = std::cos(w * t);
    const double s = std::sin(w * t);
    return {{decay * (a * c + b * s), decay * ((b * w - 0.1 * a) * c - (a * w + 0.1 * b) * s)}};
  }
  static double invariant(const Vec2& /*y*/) { return NAN; }
};

// The pendulum y'' = -sin y, swinging out to 2 radians: no closed form, energy kept.
struct Pendulum {
  static constexpr SystemInfo info{"pendulum", "y2; -sin(y1)", "",  "y2^2/2 - cos(y1)", 0.0, 2.0,
                                   0.0,        20.0,           true};
  static constexpr bool kHasExact = false;
  static constexpr bool kHasInvariant = true;
  Vec2 operator()(const double& /*x*/, const Vec2& y) const { return {{y[1], -std::sin(y[0])}}; }
  static Mat2 jacobian(double /*x*/, const Vec2& y) { return {0.0, 1.0, -std::cos(y[0]), 0.0}; }
  static Vec2 exact(double /*x*/, double /*x0*/, const Vec2& /*y0*/) { return {{NAN, NAN}}; }
  static double invariant(const Vec2& y) { return (y[1] * y[1]) / 2.0 - std::cos(y[0]); }
};

// Lotka-Volterra: prey y1 and predators y2 on a closed orbit around (1, 1).
struct PredatorPrey {
  static constexpr SystemInfo info{"predator-prey",
                                   "y1*(1 - y2); y2*(y1 - 1)",
                                   "",
                                   "y1 - ln(y1) + y2 - ln(y2)",
                                   0.0,
                                   2.0,
                                   1.0,
                                   10.0,
                                   false};
  static constexpr bool kHasExact = false;
  static constexpr bool kHasInvariant = true;
  Vec2 operator()(const double& /*x*/, const Vec2& y) const {
    return {{y[0] * (1.0 - y[1]), y[1] * (y[0] - 1.0)}};
  }
  static Mat2 jacobian(double /*x*/, const Vec2& y) {
    return {1.0 - y[1], -y[0], y[1], y[0] - 1.0};
  }
  static Vec2 exact(double /*x*/, double /*x0*/, const Vec2& /*y0*/) { return {{NAN, NAN}}; }
  static double invariant(const Vec2& y) {
    return ((y[0] - std::log(y[0])) + y[1]) - std::log(y[1]);
  }
};

}  // namespace kemi::study
