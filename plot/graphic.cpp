// The solution plot: the range of both solutions with the origin and margins, the exact curve,
// the red numerical polyline, the light-grey grid and the two axes, in that order.
#include "graphic.h"

#include <cfloat>
#include <cmath>
#include <cstddef>

#include "grid.h"
#include "table_extent.h"

namespace kemi {
namespace {

constexpr Rgb kRed = 0xFF0000;
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

std::optional<std::string> Graphic(DrawingSurface& surface, const PlotInput& in, double& x0,
                                   double& xMax) {
  (void)x0;  // the left end comes from X(0), which the run set to x0
  // The numerical polyline runs over every whole i <= N; last is the largest such i.
  const std::int64_t last =
      in.N >= 0.0 ? static_cast<std::int64_t>(std::min(std::floor(in.N), 9.0e18)) : -1;
  const std::int64_t npt = in.npt;
  if (in.X.empty() || in.Y.empty() || last >= static_cast<std::int64_t>(in.X.size()) ||
      last >= static_cast<std::int64_t>(in.Y.size()) ||
      npt >= static_cast<std::int64_t>(in.XA.size()) ||
      npt >= static_cast<std::int64_t>(in.YA.size())) {
    surface.Clear();
    return "The plot cannot be drawn: the tables are shorter than the step count.";
  }
  const auto XA = [&](std::int64_t i) { return in.XA[static_cast<std::size_t>(i)]; };
  const auto YA = [&](std::int64_t i) { return in.YA[static_cast<std::size_t>(i)]; };
  const auto X = [&](std::int64_t i) { return in.X[static_cast<std::size_t>(i)]; };
  const auto Y = [&](std::int64_t i) { return in.Y[static_cast<std::size_t>(i)]; };

  // Strict comparisons over YA(0..npt) and then Y(0..last), as a student scanning the tables
  // would. The abscissae do not set the range, but they are drawn, so they must fit a float
  // too; the same kind of pass finds their extent for a zero-width range.
  double xmin = X(0);
  const Extent exact = tableExtent(in.YA, npt, Y(0), Y(0));
  const Extent numerical = tableExtent(in.Y, last, exact.lo, exact.hi);
  double ymax = numerical.hi;
  double ymin = numerical.lo;
  const Extent exactX = tableExtent(in.XA, npt, 0.0, 0.0);
  const Extent numericalX = tableExtent(in.X, last, exactX.lo, exactX.hi);
  const bool fits = exact.fits && numerical.fits && exactX.fits && numericalX.fits;
  const double xlo = numericalX.lo;
  const double xhi = numericalX.hi;

  if (xMax < 0) xMax = 0;
  if (xmin > 0) xmin = 0;
  if (ymax < 0) ymax = 0;
  if (ymin > 0) ymin = 0;
  // With x0 = 0 every negative x1 leaves xmin = xMax = 0; the abscissae drawn give the width.
  if (xmin == xMax) {
    xmin = xlo;
    xMax = xhi;
  }
  const double xmargin = std::abs(xMax - xmin) * 0.1;
  const double ymargin = std::abs(ymax - ymin) * 0.1;
  const double left = xmin - xmargin;
  const double top = ymax + ymargin;
  const double right = xMax + xmargin;
  const double bottom = ymin - ymargin;

  // The limits the grid and the axes use; every coordinate drawn lies within them or within
  // the tables checked above.
  const double xGrid = std::abs(xmin) > xMax ? std::abs(xmin) : xMax;
  const double yGrid = std::abs(ymin) > ymax ? std::abs(ymin) : ymax;

  surface.Clear();
  if (!fits || !std::isfinite(left) || !std::isfinite(top) || !std::isfinite(right) ||
      !std::isfinite(bottom) || !fitsFloat(xGrid) || !fitsFloat(yGrid)) {
    return "The values are too large to plot.";
  }
  if (!(left < right) || !(bottom < top)) {
    return "The plot has no width: the solution covers a single abscissa.";
  }
  // The surface takes single precision: a range narrower than a float can tell apart (x1 1e-300)
  // would collapse every line onto the origin.
  if (static_cast<float>(left) == static_cast<float>(right) ||
      static_cast<float>(bottom) == static_cast<float>(top)) {
    return "The values are too close together to plot.";
  }

  surface.SetScale(left, top, right, bottom);
  for (std::int64_t i = 1; i <= npt; ++i) line(surface, XA(i - 1), YA(i - 1), XA(i), YA(i));
  // Millions of segments: each point is read and narrowed once, and handed on as the start of
  // the next segment.
  float xa = static_cast<float>(X(0));
  float ya = static_cast<float>(Y(0));
  for (std::int64_t i = 1; i <= last; ++i) {
    const auto xb = static_cast<float>(X(i));
    const auto yb = static_cast<float>(Y(i));
    surface.DrawLine(xa, ya, xb, yb, kRed);
    xa = xb;
    ya = yb;
  }

  xMax = xGrid;
  ymax = yGrid;

  // The grid abscissa accumulates 0.1 (0.30000000000000004 is the fourth line), and the 1e-7
  // keeps a line at a right limit that the sum overshoots.
  const double E = xMax + 1e-7;
  const GridLines vertical = gridLines(E);
  double g = 0;
  for (std::int64_t k = 0; k < vertical.count; ++k) {
    if (!vertical.exact) g = static_cast<double>(k) * vertical.step;
    line(surface, g, ymin, g, ymax, kGridGrey);
    g = g + 0.1;
  }
  // Downward from 0 by repeated addition of -0.1; no tolerance on this side.
  const GridLines horizontal = gridLines(-ymin);
  g = 0;
  for (std::int64_t k = 0; k < horizontal.count; ++k) {
    if (!horizontal.exact) g = -(static_cast<double>(k) * horizontal.step);
    line(surface, xmin, g, xMax, g, kGridGrey);
    g = g + (-0.1);
  }

  line(surface, -xMax, 0, xMax, 0);
  line(surface, 0, -ymax, 0, ymax);
  return std::nullopt;
}

}  // namespace kemi
