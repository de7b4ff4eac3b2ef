// The solution plot: exact curve, numerical polyline, grid and axes on a drawing surface.
#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/table_ranges.h"
#include "core/vector_state.h"
#include "plot/drawing_surface.h"

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
  // The numerical table's ranges when the run that wrote it found them; the plot then need not
  // read the table before drawing it.
  std::optional<TableRanges> ranges;
};

PlotInput plotInput(const Calculation& calc);

// The plot range and the limits of the grid and axes, found before anything is drawn.
struct PlotFrame {
  std::optional<std::string> cause;  // set when the tables cannot be drawn
  std::int64_t last = -1;            // the numerical polyline runs over i = 0..last
  double left = 0, top = 0, right = 0, bottom = 0;
  double xmin = 0, ymin = 0;
  double xGrid = 0, yGrid = 0;  // the right and upper limits of the grid and the axes
};

PlotFrame plotFrame(const PlotInput& input, double xMax);

// The parts of the plot with a handful of lines each.
void drawExactCurve(DrawingSurface& surface, const PlotInput& input);
void drawGridAndAxes(DrawingSurface& surface, const PlotFrame& frame);

inline constexpr Rgb kNumericalColour = 0xFF0000;

// Clears the surface and draws the plot. x0 is not read; xMax (the run's x1) is read and written
// back with the right limit the grid and the x axis used. Returns a cause when the values cannot
// be drawn (the surface is then left cleared).
//
// The numerical polyline is one DrawLine per step, millions of them; a surface of a known final
// type gets them as direct calls that the compiler can inline.
template <std::derived_from<DrawingSurface> Surface>
std::optional<std::string> Graphic(Surface& surface, const PlotInput& in, double& x0,
                                   double& xMax) {
  (void)x0;  // the left end comes from X(0), which the run set to x0
  const PlotFrame frame = plotFrame(in, xMax);
  surface.Clear();
  if (frame.cause) return frame.cause;
  surface.SetScale(frame.left, frame.top, frame.right, frame.bottom);
  drawExactCurve(surface, in);
  const double* X = in.X.data();
  const double* Y = in.Y.data();
  clearUpperVectorState();  // the surface's Clear may have run wide vector code
  for (std::int64_t i = 1; i <= frame.last; ++i) {
    surface.DrawLine(static_cast<float>(X[i - 1]), static_cast<float>(Y[i - 1]),
                     static_cast<float>(X[i]), static_cast<float>(Y[i]), kNumericalColour);
  }
  xMax = frame.xGrid;
  drawGridAndAxes(surface, frame);
  return std::nullopt;
}

}  // namespace kemi
