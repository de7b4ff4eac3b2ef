// The seven single-step methods. Each reads x0, y0 and h, evaluates f1 a fixed number of times,
// and writes the ordinate at x0 + h into y as its last action. Every formula is written out in
// the order it is evaluated: sums left to right, (a*k)/b as a multiplication then a division,
// so that the results are the same to the last bit on every build.
//
// Each formula is written once, in a struct whose apply() takes the right-hand side f and an
// observer that sees each increment kj as it is formed. The step functions pass f1 and an
// observer that does nothing, so the step loop compiles to the bare formula; the lab passes a
// recorder to show the stages of the very arithmetic that took the step.
//
// apply() is a template on the type V of y, as odeint's steppers are on their value type: with
// V = double it is the step the run takes; with V = std::complex<double>, one step of y' = z y
// from y = 1 with h = 1 gives the method's stability function R(z).
#pragma once

#include <cmath>

#include "core/equation.h"

namespace kemi {

// The right-hand side as the step functions evaluate it.
struct Equation {
  double operator()(const double& x, const double& y) const { return f1(x, y); }
};

// The observer of the step functions: sees nothing, costs nothing.
struct NoStages {
  template <class V>
  void operator()(int, const V&) const {}
};

// Explicit Euler.
struct EulerFormula {
  template <class F, class Observe, class V>
  static void apply(F&& f, const double& x0, const V& y0, const double& h, V& y,
                    Observe&& observe) {
    const V k1 = h * f(x0, y0);
    observe(1, k1);
    y = y0 + k1;
  }
};

// Euler end-point (Heun): average of the slopes at both ends, the far end reached by Euler.
struct EulerEPFormula {
  template <class F, class Observe, class V>
  static void apply(F&& f, const double& x0, const V& y0, const double& h, V& y,
                    Observe&& observe) {
    const V k1 = h * f(x0, y0);
    observe(1, k1);
    const V k2 = h * f(x0 + h, y0 + k1);
    observe(2, k2);
    y = y0 + (k1 + k2) / 2.0;
  }
};

// Euler mid-point: the slope at the middle of the step, reached by half an Euler step.
struct EulerMPFormula {
  template <class F, class Observe, class V>
  static void apply(F&& f, const double& x0, const V& y0, const double& h, V& y,
                    Observe&& observe) {
    const V k1 = h * f(x0, y0);
    observe(1, k1);
    const V k2 = h * f(x0 + h / 2.0, y0 + k1 / 2.0);
    observe(2, k2);
    y = y0 + k2;
  }
};

// Classical fourth-order Runge-Kutta.
struct RK4Formula {
  template <class F, class Observe, class V>
  static void apply(F&& f, const double& x0, const V& y0, const double& h, V& y,
                    Observe&& observe) {
    const V k1 = h * f(x0, y0);
    observe(1, k1);
    const V k2 = h * f(x0 + h / 2.0, y0 + k1 / 2.0);
    observe(2, k2);
    const V k3 = h * f(x0 + h / 2.0, y0 + k2 / 2.0);
    observe(3, k3);
    const V k4 = h * f(x0 + h, y0 + k3);
    observe(4, k4);
    y = y0 + (((k1 + 2.0 * k2) + 2.0 * k3) + k4) / 6.0;
  }
};

// Gill (1951): fourth order with stage weights built from 1/sqrt(2). g is formed as 1/sqrt(2),
// not sqrt(0.5), which differs by one unit in the last place.
struct RK4GFormula {
  template <class F, class Observe, class V>
  static void apply(F&& f, const double& x0, const V& y0, const double& h, V& y,
                    Observe&& observe) {
    const double g = 1.0 / std::sqrt(2.0);
    const double minusHalf = -1.0 / 2.0;
    const V k1 = h * f(x0, y0);
    observe(1, k1);
    const V k2 = h * f(x0 + h / 2.0, y0 + k1 / 2.0);
    observe(2, k2);
    const V k3 = h * f(x0 + h / 2.0, (y0 + (minusHalf + g) * k1) + (1.0 - g) * k2);
    observe(3, k3);
    const V k4 = h * f(x0 + h, (y0 - g * k2) + (1.0 + g) * k3);
    observe(4, k4);
    const double w2 = 2.0 * (1.0 - g);
    const double w3 = 2.0 * (1.0 + g);
    y = y0 + (((k1 + w2 * k2) + w3 * k3) + k4) / 6.0;
  }
};

// Runge-Kutta-Fehlberg (Fehlberg 1969): advances with the fifth-order solution of the 4(5) pair,
// at a fixed step; no error estimate is formed.
struct RKFFormula {
  template <class F, class Observe, class V>
  static void apply(F&& f, const double& x0, const V& y0, const double& h, V& y,
                    Observe&& observe) {
    const V k1 = h * f(x0, y0);
    observe(1, k1);
    const V k2 = h * f(x0 + h / 4.0, y0 + k1 / 4.0);
    observe(2, k2);
    const V k3 = h * f(x0 + (3.0 * h) / 8.0, (y0 + (3.0 * k1) / 32.0) + (9.0 * k2) / 32.0);
    observe(3, k3);
    const V k4 =
        h * f(x0 + (12.0 * h) / 13.0,
              ((y0 + (1932.0 * k1) / 2197.0) - (7200.0 * k2) / 2197.0) + (7296.0 * k3) / 2197.0);
    observe(4, k4);
    const V k5 = h * f(x0 + h, (((y0 + (439.0 * k1) / 216.0) - 8.0 * k2) + (3680.0 * k3) / 513.0) -
                                   (845.0 * k4) / 4104.0);
    observe(5, k5);
    const V k6 =
        h * f(x0 + h / 2.0, ((((y0 - (8.0 * k1) / 27.0) + 2.0 * k2) - (3544.0 * k3) / 2565.0) +
                             (1859.0 * k4) / 4104.0) -
                                (11.0 * k5) / 40.0);
    observe(6, k6);
    const double w1 = 16.0 / 135.0;
    const double w3 = 6656.0 / 12825.0;
    const double w4 = 28561.0 / 56430.0;
    const double w5 = 9.0 / 50.0;
    const double w6 = 2.0 / 55.0;
    y = y0 + ((((w1 * k1 + w3 * k3) + w4 * k4) - w5 * k5) + w6 * k6);
  }
};

// Runge-Kutta-Merson (Merson 1957): the fourth-order formula at a fixed step.
struct RKMFormula {
  template <class F, class Observe, class V>
  static void apply(F&& f, const double& x0, const V& y0, const double& h, V& y,
                    Observe&& observe) {
    const V k1 = h * f(x0, y0);
    observe(1, k1);
    const V k2 = h * f(x0 + h / 3.0, y0 + k1 / 3.0);
    observe(2, k2);
    const V k3 = h * f(x0 + h / 3.0, (y0 + k1 / 6.0) + k2 / 6.0);
    observe(3, k3);
    const V k4 = h * f(x0 + h / 2.0, (y0 + k1 / 8.0) + (3.0 * k3) / 8.0);
    observe(4, k4);
    const V k5 = h * f(x0 + h, ((y0 + k1 / 2.0) - (3.0 * k3) / 2.0) + 2.0 * k4);
    observe(5, k5);
    y = y0 + ((k1 + 4.0 * k4) + k5) / 6.0;
  }
};

// One step of Formula on f without an observer, as the step loop takes it. f is held by
// reference: it must outlive the callable.
template <class Formula, class F>
constexpr auto formulaStep(const F& f) {
  return [&f](const double& x0, const auto& y0, const double& h, auto& y) {
    Formula::apply(f, x0, y0, h, y, NoStages{});
  };
}

// The same on f1: a stateless callable, so the run's loop compiles to the bare formula.
template <class Formula>
inline constexpr auto kStepOnF1 = [](const double& x0, const auto& y0, const double& h, auto& y) {
  Formula::apply(Equation{}, x0, y0, h, y, NoStages{});
};

// The step methods as functions: f1, no observer.
using StepMethod = void (*)(const double& x0, const double& y0, const double& h, double& y);

template <class Formula>
inline void stepOf(const double& x0, const double& y0, const double& h, double& y) {
  kStepOnF1<Formula>(x0, y0, h, y);
}

inline void Euler(const double& x0, const double& y0, const double& h, double& y) {
  stepOf<EulerFormula>(x0, y0, h, y);
}
inline void EulerEP(const double& x0, const double& y0, const double& h, double& y) {
  stepOf<EulerEPFormula>(x0, y0, h, y);
}
inline void EulerMP(const double& x0, const double& y0, const double& h, double& y) {
  stepOf<EulerMPFormula>(x0, y0, h, y);
}
inline void RK4(const double& x0, const double& y0, const double& h, double& y) {
  stepOf<RK4Formula>(x0, y0, h, y);
}
inline void RK4G(const double& x0, const double& y0, const double& h, double& y) {
  stepOf<RK4GFormula>(x0, y0, h, y);
}
inline void RKF(const double& x0, const double& y0, const double& h, double& y) {
  stepOf<RKFFormula>(x0, y0, h, y);
}
inline void RKM(const double& x0, const double& y0, const double& h, double& y) {
  stepOf<RKMFormula>(x0, y0, h, y);
}

}  // namespace kemi
