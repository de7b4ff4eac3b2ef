// The seven single-step methods. Each reads x0, y0 and h, evaluates f1 a fixed number of times,
// and writes the ordinate at x0 + h into y as its last action. Every formula is written out in
// the order it is evaluated: sums left to right, (a*k)/b as a multiplication then a division,
// so that the results are the same to the last bit on every build.
#pragma once

#include <cmath>

#include "equation.h"

namespace kemi {

// Explicit Euler.
inline void Euler(const double& x0, const double& y0, const double& h, double& y) {
  const double k1 = h * f1(x0, y0);
  y = y0 + k1;
}

// Euler end-point (Heun): average of the slopes at both ends, the far end reached by Euler.
inline void EulerEP(const double& x0, const double& y0, const double& h, double& y) {
  const double k1 = h * f1(x0, y0);
  const double k2 = h * f1(x0 + h, y0 + k1);
  y = y0 + (k1 + k2) / 2.0;
}

// Euler mid-point: the slope at the middle of the step, reached by half an Euler step.
inline void EulerMP(const double& x0, const double& y0, const double& h, double& y) {
  const double k1 = h * f1(x0, y0);
  const double k2 = h * f1(x0 + h / 2.0, y0 + k1 / 2.0);
  y = y0 + k2;
}

// Classical fourth-order Runge-Kutta.
inline void RK4(const double& x0, const double& y0, const double& h, double& y) {
  const double k1 = h * f1(x0, y0);
  const double k2 = h * f1(x0 + h / 2.0, y0 + k1 / 2.0);
  const double k3 = h * f1(x0 + h / 2.0, y0 + k2 / 2.0);
  const double k4 = h * f1(x0 + h, y0 + k3);
  y = y0 + (((k1 + 2.0 * k2) + 2.0 * k3) + k4) / 6.0;
}

// Gill (1951): fourth order with stage weights built from 1/sqrt(2). g is formed as 1/sqrt(2),
// not sqrt(0.5), which differs by one unit in the last place.
inline void RK4G(const double& x0, const double& y0, const double& h, double& y) {
  const double g = 1.0 / std::sqrt(2.0);
  const double minusHalf = -1.0 / 2.0;
  const double k1 = h * f1(x0, y0);
  const double k2 = h * f1(x0 + h / 2.0, y0 + k1 / 2.0);
  const double k3 = h * f1(x0 + h / 2.0, (y0 + (minusHalf + g) * k1) + (1.0 - g) * k2);
  const double k4 = h * f1(x0 + h, (y0 - g * k2) + (1.0 + g) * k3);
  const double w2 = 2.0 * (1.0 - g);
  const double w3 = 2.0 * (1.0 + g);
  y = y0 + (((k1 + w2 * k2) + w3 * k3) + k4) / 6.0;
}

// Runge-Kutta-Fehlberg (Fehlberg 1969): advances with the fifth-order solution of the 4(5) pair,
// at a fixed step; no error estimate is formed.
inline void RKF(const double& x0, const double& y0, const double& h, double& y) {
  const double k1 = h * f1(x0, y0);
  const double k2 = h * f1(x0 + h / 4.0, y0 + k1 / 4.0);
  const double k3 = h * f1(x0 + (3.0 * h) / 8.0, (y0 + (3.0 * k1) / 32.0) + (9.0 * k2) / 32.0);
  const double k4 =
      h * f1(x0 + (12.0 * h) / 13.0,
             ((y0 + (1932.0 * k1) / 2197.0) - (7200.0 * k2) / 2197.0) + (7296.0 * k3) / 2197.0);
  const double k5 =
      h * f1(x0 + h, (((y0 + (439.0 * k1) / 216.0) - 8.0 * k2) + (3680.0 * k3) / 513.0) -
                         (845.0 * k4) / 4104.0);
  const double k6 =
      h * f1(x0 + h / 2.0, ((((y0 - (8.0 * k1) / 27.0) + 2.0 * k2) - (3544.0 * k3) / 2565.0) +
                            (1859.0 * k4) / 4104.0) -
                               (11.0 * k5) / 40.0);
  const double w1 = 16.0 / 135.0;
  const double w3 = 6656.0 / 12825.0;
  const double w4 = 28561.0 / 56430.0;
  const double w5 = 9.0 / 50.0;
  const double w6 = 2.0 / 55.0;
  y = y0 + ((((w1 * k1 + w3 * k3) + w4 * k4) - w5 * k5) + w6 * k6);
}

// Runge-Kutta-Merson (Merson 1957): the fourth-order formula at a fixed step.
inline void RKM(const double& x0, const double& y0, const double& h, double& y) {
  const double k1 = h * f1(x0, y0);
  const double k2 = h * f1(x0 + h / 3.0, y0 + k1 / 3.0);
  const double k3 = h * f1(x0 + h / 3.0, (y0 + k1 / 6.0) + k2 / 6.0);
  const double k4 = h * f1(x0 + h / 2.0, (y0 + k1 / 8.0) + (3.0 * k3) / 8.0);
  const double k5 = h * f1(x0 + h, ((y0 + k1 / 2.0) - (3.0 * k3) / 2.0) + 2.0 * k4);
  y = y0 + ((k1 + 4.0 * k4) + k5) / 6.0;
}

}  // namespace kemi
