// The geometry of the Solution picture: view box, transform and direction field.
#include "solution_picture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace kemi::lab {

ViewBox ViewBox::zoomedAbout(QPointF anchor, double factor) const {
  return {anchor.x() - (anchor.x() - xMin) / factor, anchor.x() + (xMax - anchor.x()) / factor,
          anchor.y() - (anchor.y() - yMin) / factor, anchor.y() + (yMax - anchor.y()) / factor};
}

ViewBox ViewBox::movedBy(double dx, double dy) const {
  return {xMin + dx, xMax + dx, yMin + dy, yMax + dy};
}

ViewTransform::ViewTransform(const ViewBox& box, const QRectF& plot)
    : box_(box),
      plot_(plot),
      sx_(plot.width() / (box.xMax - box.xMin)),
      sy_(plot.height() / (box.yMax - box.yMin)) {}

QPointF ViewTransform::toPixel(double x, double y) const {
  // Far-off points are held to a band around the plot, so that every pixel coordinate is a
  // modest finite number; the drawing cuts segments to the plot before the painter sees them.
  constexpr double kFar = 1e12;
  const double px = plot_.left() + (x - box_.xMin) * sx_;
  const double py = plot_.bottom() - (y - box_.yMin) * sy_;
  return {std::clamp(px, -kFar, kFar), std::clamp(py, -kFar, kFar)};
}

QPointF ViewTransform::toWorld(QPointF pixel) const {
  return {box_.xMin + (pixel.x() - plot_.left()) / sx_,
          box_.yMin + (plot_.bottom() - pixel.y()) / sy_};
}

QRectF plotRectIn(const QRectF& area) {
  constexpr double kLeft = 64.0;
  constexpr double kBottom = 36.0;
  constexpr double kTop = 30.0;
  constexpr double kRight = 14.0;
  return area.adjusted(kLeft, kTop, -kRight, -kBottom);
}

std::vector<QLineF> directionField(const Slope& f, const ViewTransform& t, int columns, int rows,
                                   double length) {
  std::vector<QLineF> marks;
  marks.reserve(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
  const QRectF& plot = t.plot();
  const ViewBox& box = t.box();
  // The slope in pixels: one unit of x is sx pixels right, s units of y are s*sy pixels up.
  const double sx = plot.width() / (box.xMax - box.xMin);
  const double sy = plot.height() / (box.yMax - box.yMin);
  const double half = length / 2.0;
  for (int j = 0; j < rows; ++j) {
    const double py = plot.top() + (j + 0.5) * plot.height() / rows;
    for (int i = 0; i < columns; ++i) {
      const double px = plot.left() + (i + 0.5) * plot.width() / columns;
      const QPointF world = t.toWorld({px, py});
      const double s = f(world.x(), world.y());
      if (!std::isfinite(s)) continue;
      const double dx = sx;
      const double dy = -s * sy;
      const double norm = std::hypot(dx, dy);
      if (!(norm > 0.0) || !std::isfinite(norm)) {
        marks.emplace_back(px, py - half, px, py + half);  // steeper than doubles tell apart
        continue;
      }
      const double ux = dx / norm * half;
      const double uy = dy / norm * half;
      marks.emplace_back(px - ux, py - uy, px + ux, py + uy);
    }
  }
  return marks;
}

// Liang-Barsky clipping.
bool clipToRect(QPointF& a, QPointF& b, const QRectF& r) {
  double t0 = 0.0;
  double t1 = 1.0;
  const double dx = b.x() - a.x();
  const double dy = b.y() - a.y();
  const std::array<std::array<double, 2>, 4> edges{{{-dx, a.x() - r.left()},
                                                     {dx, r.right() - a.x()},
                                                     {-dy, a.y() - r.top()},
                                                     {dy, r.bottom() - a.y()}}};
  for (const auto& [p, q] : edges) {
    if (p == 0.0) {
      if (q < 0.0) return false;
      continue;
    }
    const double t = q / p;
    if (p < 0.0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  const QPointF start = a;
  a = start + QPointF(dx * t0, dy * t0);
  b = start + QPointF(dx * t1, dy * t1);
  return true;
}

ViewBox boxAround(const SolutionScene& scene) {
  double xMin = scene.start.x();
  double xMax = xMin;
  double yMin = scene.start.y();
  double yMax = yMin;
  auto take = [&](const QPointF& p) {
    xMin = std::min(xMin, p.x()), xMax = std::max(xMax, p.x());
    yMin = std::min(yMin, p.y()), yMax = std::max(yMax, p.y());
  };
  auto finite = [](const QPointF& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); };
  if (!scene.curves.empty())
    for (const QPointF& p : scene.curves.front().points)
      if (finite(p)) take(p);
  // The other curves count where they stay within the first's height again above and below.
  const double span = yMax - yMin;
  const double low = yMin - span;
  const double high = yMax + span;
  for (std::size_t c = 1; c < scene.curves.size(); ++c)
    for (const QPointF& p : scene.curves[c].points)
      if (finite(p) && p.y() >= low && p.y() <= high) take(p);
  // A flat or single-point scene still gets a box of some size.
  const double xPad = xMax > xMin ? (xMax - xMin) * 0.08 : std::max(1.0, std::abs(xMin));
  const double yPad = yMax > yMin ? (yMax - yMin) * 0.12 : std::max(1.0, std::abs(yMin));
  ViewBox box{xMin - xPad, xMax + xPad, yMin - yPad, yMax + yPad};
  const double huge = std::numeric_limits<double>::max() / 4.0;
  if (!(box.xMax - box.xMin < huge) || !(box.yMax - box.yMin < huge)) return {};
  return box;
}

}  // namespace kemi::lab
