// The geometry of the Solution picture: the figure layer's view box, transform, field and
// clipping in Qt's types, and the box that shows a scene.
#include "figures/solution_picture.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "figures/figure_painter.h"
#include "plot/figure/clip.h"
#include "plot/figure/field.h"

namespace kemi::lab {

using figures::fromQt;
using figures::toQt;

ViewBox ViewBox::zoomedAbout(QPointF anchor, double factor) const {
  return {figure::ViewBox::zoomedAbout(fromQt(anchor), factor)};
}

ViewBox ViewBox::movedBy(double dx, double dy) const {
  return {figure::ViewBox::movedBy(dx, dy)};
}

ViewTransform::ViewTransform(const ViewBox& box, const QRectF& plot)
    : t_(box, fromQt(plot)), plot_(plot) {}

QPointF ViewTransform::toPixel(double x, double y) const {
  return toQt(t_.toPixel(x, y));
}

QPointF ViewTransform::toWorld(QPointF pixel) const {
  return toQt(t_.toWorld(fromQt(pixel)));
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
  return figures::toLines(figure::slopeMarks(f, t.plain(), columns, rows, length));
}

bool clipToRect(QPointF& a, QPointF& b, const QRectF& r) {
  figure::Point pa = fromQt(a);
  figure::Point pb = fromQt(b);
  if (!figure::clipSegment(pa, pb, fromQt(r))) return false;
  a = toQt(pa);
  b = toQt(pb);
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
