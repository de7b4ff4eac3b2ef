// The region picture's commands. Methods with the same limit (the Euler forms; RK4 and Gill)
// stack their markers upwards, so each shows.
#include "plot/figure/region_figure.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "plot/figure/region_pixels.h"

namespace kemi::figure {
namespace {

// The plane shown without a point: every method's region fits with a margin.
constexpr double kReMin = -4.2;
constexpr double kReMax = 1.0;
constexpr double kImMax = 3.9;
constexpr double kFarthest = 60.0;  // no point moves the plane's edge further out
constexpr double kLeft = 48, kTop = 34, kRight = 210, kBottom = 44;
constexpr double kStacked = 11.0;  // pixels between markers of methods with the same limit

Ticks reTicks(const ViewBox& box) {
  return linearTicks(box.xMin, box.xMax, 12.0, TickRounding::AtLeast);
}

void point(Recorder& r, const Transform& t, double z) {
  const Rect plot = t.plot();
  const Point at = t.toPixel(z, 0.0);
  r.pen(kBlack, 2.0);
  if (at.x < plot.left || at.x > plot.right()) {
    const bool left = at.x < plot.left;
    const double edge = left ? plot.left + 2 : plot.right() - 2;
    const double back = left ? 12.0 : -12.0;
    r.brush(kBlack);
    r.points(Op::Polygon, {{edge, at.y}, {edge + back, at.y - 6}, {edge + back, at.y + 6}});
  } else {
    r.noBrush();
    r.circle(at, 6.0);
    r.line({at.x - 10, at.y}, {at.x + 10, at.y});
    r.line({at.x, at.y - 10}, {at.x, at.y + 10});
  }
}

void legend(Recorder& r, const RegionFigureInput& in) {
  const Rect plot = in.plane.plot;
  const double line = std::max(18.0, in.metrics.lineHeight + 6.0);
  const auto items = columnLegend({plot.right() + 15.0, plot.top + 4.0}, line, 26.0, 14.0, 8.0,
                                  in.methods.size() + 1);
  for (std::size_t i = 0; i < in.methods.size(); ++i) {
    const std::size_t m = in.methods[i];
    const Rgb colour = methodStyles()[m].colour;
    r.pen(colour, 2.0);
    r.brush(colour, kRegionFillAlpha);
    r.rectangle(items[i].swatch);
    r.marker(methodMarker(m, items[i].swatch.centre()));
    r.pen(kBlack, 1.0);
    r.text({items[i].textLeft, items[i].centreY}, Align::Start, Baseline::Middle, in.names[i]);
  }
  if (!std::isfinite(in.z)) return;
  const double y = items.back().swatch.centre().y + line / 2.0;
  r.pen(kBlack, 2.0);
  r.brush(kWhite);
  r.circle({plot.right() + 15.0 + 13.0, y}, 5.0);
  r.pen(kBlack, 1.0);
  const double textLeft = items.back().textLeft;
  r.text({textLeft, y}, Align::Start, Baseline::Middle, in.pointText);
  r.text({textLeft, y + in.metrics.lineHeight}, Align::Start, Baseline::Middle, in.stepText);
}

}  // namespace

RegionPlane regionPlane(double width, double height, double z) {
  RegionPlane plane;
  plane.plot = Rect{0.0, 0.0, width, height}.adjusted(kLeft, kTop, -kRight, -kBottom);
  if (plane.plot.width < 2 || plane.plot.height < 2) return plane;
  double reMin = kReMin;
  double reMax = kReMax;
  if (std::isfinite(z)) {
    reMin = std::max(std::min(reMin, z - 0.1 * std::abs(z) - 0.2), -kFarthest);
    reMax = std::min(std::max(reMax, z + 0.1 * std::abs(z) + 0.2), kFarthest);
  }
  plane.box = equalScale({reMin, reMax, -kImMax, kImMax}, plane.plot);
  plane.columns = static_cast<int>(plane.plot.width);
  plane.rows = static_cast<int>(plane.plot.height);
  return plane;
}

Commands regionFigure(const RegionFigureInput& in) {
  Commands out;
  Recorder r(out);
  const RegionPlane& plane = in.plane;
  out.plot = plane.plot;
  r.fill(kWhite, {0.0, 0.0, in.width, in.height});
  if (!plane.usable()) return out;
  const Transform t(plane.box, plane.plot);
  const Ticks xs = reTicks(plane.box);
  const Ticks ys = ticksLike(xs, plane.box.yMin, plane.box.yMax);
  r.clip(plane.plot);
  r.grid(t, xs, ys);
  Image regions{plane.columns, plane.rows,
                std::vector<std::uint32_t>(static_cast<std::size_t>(plane.columns) *
                                           static_cast<std::size_t>(plane.rows))};
  for (std::size_t i = 0; i < in.methods.size() && i < in.masks.size(); ++i)
    if (in.masks[i].size() == regions.pixels.size())
      paintRegion(regions.pixels, plane.columns, plane.rows, in.masks[i],
                  methodStyles()[in.methods[i]].colour);
  r.image({plane.plot.left, plane.plot.top}, std::move(regions));
  r.pen(kFrameColour, 1.0);
  const Point origin = t.toPixel(0.0, 0.0);
  r.line({plane.plot.left, origin.y}, {plane.plot.right(), origin.y});
  r.line({origin.x, plane.plot.top}, {origin.x, plane.plot.bottom()});
  for (std::size_t i = 0; i < in.methods.size(); ++i) {
    const double limit = in.limits[i];
    const auto same = std::count_if(in.limits.begin(), in.limits.begin() + static_cast<long>(i),
                                    [&](double other) { return std::abs(other - limit) < 1e-6; });
    const Point at = t.toPixel(-limit, 0.0);
    r.marker(methodMarker(in.methods[i], {at.x, at.y - kStacked * static_cast<double>(same)}));
  }
  r.unclip();
  if (std::isfinite(in.z)) point(r, t, in.z);
  r.axes(t, xs, ys, 4.0, true);
  r.pen(kFrameColour, 1.0);
  r.text({plane.plot.centre().x, plane.plot.bottom() + 8 + in.metrics.lineHeight}, Align::Centre,
         Baseline::Top, in.reLabel);
  r.text({plane.plot.left + 4, plane.plot.top - 6}, Align::Start, Baseline::Alphabetic, in.imLabel);
  r.title({0.0, 4.0, in.width, kTop - 8}, in.title);
  legend(r, in);
  return out;
}

}  // namespace kemi::figure
