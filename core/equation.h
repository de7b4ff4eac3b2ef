// The equation dy/dx = -2*x - y and its exact solution through (0, -1), y = 2 - 2x - 3e^(-x),
// sampled into the exact table that the report and the plot read.
#pragma once

#include <array>
#include <cmath>

namespace kemi {

// Right-hand side of the equation. (-2*x) is formed first, then y is subtracted.
inline double f1(const double& x, const double& y) {
  return (-2.0 * x) - y;
}

// The exact solution through (0, -1) at x, evaluated as the exact table samples it: the
// exponential of -x, times -3, minus 2x, plus 2.
inline double exactSolution(const double& x) {
  return ((std::exp(-x) * -3.0) - 2.0 * x) + 2.0;
}

// The exact table: eleven samples from x0 to x1, twelve slots, npt the last filled index.
struct ExactTable {
  static constexpr int kSlots = 12;
  std::array<double, kSlots> XA{};
  std::array<double, kSlots> YA{};
  int npt = 0;
};

// Refills `table` with samples of the exact solution from x0 towards x1 by ten accumulated steps.
// Throws RunStopped when a sample leaves the double range or the samples never reach x1.
void Analytical(ExactTable& table, const double& x0, const double& x1);

}  // namespace kemi
