// View box arithmetic and the plane-to-pixel mapping.
#include "plot/figure/view.h"

#include <algorithm>
#include <cmath>

namespace kemi::figure {
namespace {

double axisUnit(double v, Scale scale) {
  return scale == Scale::Log10 ? std::log10(v) : v;
}
double fromAxisUnit(double u, Scale scale) {
  return scale == Scale::Log10 ? std::pow(10.0, u) : u;
}

}  // namespace

ViewBox ViewBox::zoomedAbout(Point anchor, double factor) const {
  return {anchor.x - (anchor.x - xMin) / factor, anchor.x + (xMax - anchor.x) / factor,
          anchor.y - (anchor.y - yMin) / factor, anchor.y + (yMax - anchor.y) / factor};
}

ViewBox ViewBox::movedBy(double dx, double dy) const {
  return {xMin + dx, xMax + dx, yMin + dy, yMax + dy};
}

bool ViewBox::usable() const {
  return xMax > xMin && yMax > yMin && std::isfinite(xMax - xMin) && std::isfinite(yMax - yMin);
}

Transform::Transform(const ViewBox& box, const Rect& plot, Scale xScale, Scale yScale)
    : box_(box),
      plot_(plot),
      xScale_(xScale),
      yScale_(yScale),
      x0_(axisUnit(box.xMin, xScale)),
      y0_(axisUnit(box.yMin, yScale)),
      sx_(plot.width / (axisUnit(box.xMax, xScale) - x0_)),
      sy_(plot.height / (axisUnit(box.yMax, yScale) - y0_)) {}

Point Transform::toPixel(double x, double y) const {
  constexpr double kFar = 1e12;
  const double px = plot_.left + (axisUnit(x, xScale_) - x0_) * sx_;
  const double py = plot_.bottom() - (axisUnit(y, yScale_) - y0_) * sy_;
  return {std::clamp(px, -kFar, kFar), std::clamp(py, -kFar, kFar)};
}

Point Transform::toWorld(Point pixel) const {
  return {fromAxisUnit(x0_ + (pixel.x - plot_.left) / sx_, xScale_),
          fromAxisUnit(y0_ + (plot_.bottom() - pixel.y) / sy_, yScale_)};
}

ViewBox equalScale(const ViewBox& box, const Rect& plot) {
  const double scale =
      std::min(plot.width / (box.xMax - box.xMin), plot.height / (box.yMax - box.yMin));
  const double cx = (box.xMin + box.xMax) / 2.0;
  const double cy = (box.yMin + box.yMax) / 2.0;
  const double halfWidth = plot.width / scale / 2.0;
  const double halfHeight = plot.height / scale / 2.0;
  return {cx - halfWidth, cx + halfWidth, cy - halfHeight, cy + halfHeight};
}

}  // namespace kemi::figure
