// The solution plot: exact curve, numerical polyline, grid and axes on a drawing surface.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "drawing_surface.h"

namespace kemi {

class Calculation;

// What the plot reads: the exact table (indexes 0..npt), the numerical table (indexes i <= N)
// and the step count N as the run left them.
struct PlotInput {
  std::span<const double> XA;
  std::span<const double> YA;
  int npt = 0;
  std::span<const double> X;
  std::span<const double> Y;
  double N = 0.0;
};

PlotInput plotInput(const Calculation& calc);

// Clears the surface and draws the plot. x0 is not read; xMax (the run's x1) is read and written
// back with the right limit the grid and the x axis used. Returns a cause when the values cannot
// be drawn (the surface is then left cleared).
std::optional<std::string> Graphic(DrawingSurface& surface, const PlotInput& input, double& x0,
                                   double& xMax);

}  // namespace kemi
