// The preset equations dy/dx = f(x, y): plain structs whose functions are inline, so that a step
// formula instantiated with one compiles to the bare arithmetic. Each knows its start, a suggested
// x1, df/dy and, where one exists, its exact solution through any start (x0, y0).
#pragma once

#include <cmath>
#include <string_view>

#include "core/equation.h"  // core's f1 and exactSolution

namespace kemi::study {

struct PresetInfo {
  std::string_view id;
  std::string_view formula;  // f(x, y) as it could be typed
  std::string_view exact;    // the solution through the start as it could be typed; empty: none
  double x0;
  double y0;
  double x1;  // suggested end of the interval
};

// -2x - y: core's own equation, so that the lab's numbers stay those of kemi.
struct Classroom {
  static constexpr PresetInfo info{"classroom", "-2*x - y", "2 - 2*x - 3*exp(-x)", 0.0, -1.0, 1.0};
  static constexpr bool kHasExact = true;
  double operator()(const double& x, const double& y) const { return f1(x, y); }
  static double dfdy(double /*x*/, double /*y*/) { return -1.0; }
  static double exact(double x, double x0, double y0) {
    if (x0 == info.x0 && y0 == info.y0) return exactSolution(x);
    return (2.0 - 2.0 * x) + ((y0 - 2.0) + 2.0 * x0) * std::exp(x0 - x);
  }
};

struct Growth {
  static constexpr PresetInfo info{"growth", "y", "exp(x)", 0.0, 1.0, 1.0};
  static constexpr bool kHasExact = true;
  double operator()(const double& /*x*/, const double& y) const { return y; }
  static double dfdy(double /*x*/, double /*y*/) { return 1.0; }
  static double exact(double x, double x0, double y0) { return y0 * std::exp(x - x0); }
};

struct Logistic {
  static constexpr PresetInfo info{"logistic", "y*(1 - y)", "1/(1 + 9*exp(-x))", 0.0, 0.1, 4.0};
  static constexpr bool kHasExact = true;
  double operator()(const double& /*x*/, const double& y) const { return y * (1.0 - y); }
  static double dfdy(double /*x*/, double y) { return 1.0 - 2.0 * y; }
  static double exact(double x, double x0, double y0) {
    return y0 / (y0 + (1.0 - y0) * std::exp(x0 - x));
  }
};

struct Gauss {
  static constexpr PresetInfo info{"gauss", "-2*x*y", "exp(-x^2)", 0.0, 1.0, 2.0};
  static constexpr bool kHasExact = true;
  double operator()(const double& x, const double& y) const { return (-2.0 * x) * y; }
  static double dfdy(double x, double /*y*/) { return -2.0 * x; }
  static double exact(double x, double x0, double y0) { return y0 * std::exp(x0 * x0 - x * x); }
};

// Stiff: the solution follows cos x closely after a transient that decays like e^(-50x).
struct Stiff {
  static constexpr PresetInfo info{
      "stiff", "-50*(y - cos(x))", "(2500*cos(x) + 50*sin(x) - 2500*exp(-50*x))/2501", 0.0, 0.0,
      1.0};
  static constexpr bool kHasExact = true;
  double operator()(const double& x, const double& y) const { return -50.0 * (y - std::cos(x)); }
  static double dfdy(double /*x*/, double /*y*/) { return -50.0; }
  static double settled(double x) { return (2500.0 * std::cos(x) + 50.0 * std::sin(x)) / 2501.0; }
  static double exact(double x, double x0, double y0) {
    return settled(x) + (y0 - settled(x0)) * std::exp(-50.0 * (x - x0));
  }
};

// No closed form: the solution blows up near x = 0.9698, so its errors are measured against a
// reference solution.
struct Riccati {
  static constexpr PresetInfo info{"riccati", "x^2 + y^2", "", 0.0, 1.0, 0.9};
  static constexpr bool kHasExact = false;
  double operator()(const double& x, const double& y) const { return x * x + y * y; }
  static double dfdy(double /*x*/, double y) { return 2.0 * y; }
  static double exact(double /*x*/, double /*x0*/, double /*y0*/) { return NAN; }
};

}  // namespace kemi::study
