// The solution plot: the range of both solutions with the origin and margins, the exact curve,
// the red numerical polyline, the light-grey grid and the two axes, in that order.
#include "plot/graphic.h"

#include <cfloat>
#include <cmath>
#include <cstddef>

#include "plot/grid.h"
#include "plot/table_extent.h"

namespace kemi {
namespace {

constexpr Rgb kGridGrey = 0xE6E6E6;

// Table values stay double throughout; only the surface takes single precision, and a double
// beyond the float range has no float to become.
bool fitsFloat(double v) {
  return std::abs(v) <= static_cast<double>(FLT_MAX);
}

void line(DrawingSurface& surface, double xa, double ya, double xb, double yb,
          std::optional<Rgb> colour = std::nullopt) {
  surface.DrawLine(static_cast<float>(xa), static_cast<float>(ya), static_cast<float>(xb),
                   static_cast<float>(yb), colour);
}

}  // namespace

PlotFrame plotFrame(const PlotInput& in, double xMax) {
  PlotFrame f;
  // The numerical polyline runs over every whole i <= N; last is the largest such i.
  const std::int64_t last =
      in.N >= 0.0 ? static_cast<std::int64_t>(std::min(std::floor(in.N), 9.0e18)) : -1;
  const std::int64_t npt = in.npt;
  if (in.X.empty() || in.Y.empty() || last >= static_cast<std::int64_t>(in.X.size()) ||
      last >= static_cast<std::int64_t>(in.Y.size()) ||
      npt >= static_cast<std::int64_t>(in.XA.size()) ||
      npt >= static_cast<std::int64_t>(in.YA.size())) {
    f.cause = "The plot cannot be drawn: the tables are shorter than the step count.";
    return f;
  }
  f.last = last;

  // Strict comparisons over YA(0..npt) and then Y(0..last), as a student scanning the tables
  // would. The abscissae do not set the range, but they are drawn, so they must fit a float
  // too; the same kind of pass finds their extent for a zero-width range.
  double xmin = in.X[0];
  const Extent exact = tableExtent(in.YA, npt, in.Y[0], in.Y[0]);
  const bool known = in.ranges && in.ranges->last == last;
  const Extent numerical =
      known ? widen(in.ranges->y, exact.lo, exact.hi) : tableExtent(in.Y, last, exact.lo, exact.hi);
  double ymax = numerical.hi;
  double ymin = numerical.lo;
  const Extent exactX = tableExtent(in.XA, npt, 0.0, 0.0);
  const Extent numericalX = known ? widen(in.ranges->x, exactX.lo, exactX.hi)
                                  : tableExtent(in.X, last, exactX.lo, exactX.hi);
  const bool fits = exact.fits && numerical.fits && exactX.fits && numericalX.fits;

  if (xMax < 0) xMax = 0;
  if (xmin > 0) xmin = 0;
  if (ymax < 0) ymax = 0;
  if (ymin > 0) ymin = 0;
  // With x0 = 0 every negative x1 leaves xmin = xMax = 0; the abscissae drawn give the width.
  if (xmin == xMax) {
    xmin = numericalX.lo;
    xMax = numericalX.hi;
  }
  const double xmargin = std::abs(xMax - xmin) * 0.1;
  const double ymargin = std::abs(ymax - ymin) * 0.1;
  f.left = xmin - xmargin;
  f.top = ymax + ymargin;
  f.right = xMax + xmargin;
  f.bottom = ymin - ymargin;
  f.xmin = xmin;
  f.ymin = ymin;

  // The limits the grid and the axes use; every coordinate drawn lies within them or within
  // the tables checked above.
  f.xGrid = std::abs(xmin) > xMax ? std::abs(xmin) : xMax;
  f.yGrid = std::abs(ymin) > ymax ? std::abs(ymin) : ymax;

  if (!fits || !std::isfinite(f.left) || !std::isfinite(f.top) || !std::isfinite(f.right) ||
      !std::isfinite(f.bottom) || !fitsFloat(f.xGrid) || !fitsFloat(f.yGrid)) {
    f.cause = "The values are too large to plot.";
  } else if (!(f.left < f.right) || !(f.bottom < f.top)) {
    f.cause = "The plot has no width: the solution covers a single abscissa.";
  } else if (static_cast<float>(f.left) == static_cast<float>(f.right) ||
             static_cast<float>(f.bottom) == static_cast<float>(f.top)) {
    // The surface takes single precision: a range narrower than a float can tell apart
    // (x1 1e-300) would collapse every line onto the origin.
    f.cause = "The values are too close together to plot.";
  }
  return f;
}

void drawExactCurve(DrawingSurface& surface, const PlotInput& in) {
  for (int i = 1; i <= in.npt; ++i) line(surface, in.XA[i - 1], in.YA[i - 1], in.XA[i], in.YA[i]);
}

void drawGridAndAxes(DrawingSurface& surface, const PlotFrame& f) {
  const double xMax = f.xGrid;
  const double ymax = f.yGrid;
  // The grid abscissa accumulates 0.1 (0.30000000000000004 is the fourth line), and the 1e-7
  // keeps a line at a right limit that the sum overshoots.
  const double E = xMax + 1e-7;
  const GridLines vertical = gridLines(E);
  double g = 0;
  for (std::int64_t k = 0; k < vertical.count; ++k) {
    if (!vertical.exact) g = static_cast<double>(k) * vertical.step;
    line(surface, g, f.ymin, g, ymax, kGridGrey);
    g = g + 0.1;
  }
  // Downward from 0 by repeated addition of -0.1; no tolerance on this side.
  const GridLines horizontal = gridLines(-f.ymin);
  g = 0;
  for (std::int64_t k = 0; k < horizontal.count; ++k) {
    if (!horizontal.exact) g = -(static_cast<double>(k) * horizontal.step);
    line(surface, f.xmin, g, xMax, g, kGridGrey);
    g = g + (-0.1);
  }

  line(surface, -xMax, 0, xMax, 0);
  line(surface, 0, -ymax, 0, ymax);
}

}  // namespace kemi
