// The Solution picture's commands, in the order the window has always painted them.
#include "plot/figure/solution_figure.h"

#include <algorithm>
#include <cmath>

#include "plot/figure/clip.h"

namespace kemi::figure {
namespace {

constexpr Rgb kStart{0xD0, 0x00, 0x00};
constexpr Rgb kField{0x9A, 0x9A, 0x9A};

void curvePen(Recorder& r, const SolutionFigureCurve& c) {
  const double width = c.method < 0 ? 2.5 : 1.5;
  if (c.dashed)
    r.dashedPen(c.colour, width);
  else
    r.pen(c.colour, width);
}

void start(Recorder& r, Point at) {
  r.pen(kBlack, 1.5);
  r.brush(kStart);
  r.circle(at, 4.0);
}

// Markers only where the steps lie far enough apart to be told from the line, near the plot.
std::vector<Point> markerPlaces(const Transform& t, const Polyline& world) {
  std::vector<Point> pixels;
  for (const Point w : world)
    if (std::isfinite(w.x) && std::isfinite(w.y)) pixels.push_back(t.toPixel(w));
  if (pixels.size() < 2) return {};
  const double spacing =
      std::abs(pixels.back().x - pixels.front().x) / static_cast<double>(pixels.size() - 1);
  if (spacing < 6.0) return {};
  const Rect near = t.plot().adjusted(-8, -8, 8, 8);
  std::erase_if(pixels, [&](Point p) { return !near.contains(p); });
  return pixels;
}

void legend(Recorder& r, const SolutionFigureInput& in, const Transform& t,
            const std::vector<Polyline>& world) {
  const double row = in.metrics.lineHeight + 4.0;
  double width = 0.0;
  for (const SolutionFigureCurve& c : in.curves) width = std::max(width, in.metrics.width(c.name));
  width += 52.0;
  const double height = row * static_cast<double>(in.curves.size() + 1) + 8.0;
  const Rect box = quietCorner(t, width, height, 8.0, world);
  r.pen({0x80, 0x80, 0x80}, 1.0);
  r.brush(kWhite, 235);
  r.rectangle(box);
  const auto items =
      columnLegend({box.left + 8.0, box.top + 4.0}, row, 30.0, row, 6.0, in.curves.size() + 1);
  for (std::size_t i = 0; i < in.curves.size(); ++i) {
    const SolutionFigureCurve& c = in.curves[i];
    curvePen(r, c);
    r.line({items[i].swatch.left, items[i].centreY}, {items[i].swatch.right(), items[i].centreY});
    if (c.method >= 0)
      r.marker(methodMarker(static_cast<std::size_t>(c.method), items[i].swatch.centre()));
    r.pen(kBlack, 1.0);
    r.text({items[i].textLeft, items[i].centreY}, Align::Start, Baseline::Middle, c.name);
  }
  start(r, items.back().swatch.centre());
  r.pen(kBlack, 1.0);
  r.text({items.back().textLeft, items.back().centreY}, Align::Start, Baseline::Middle,
         in.startName);
}

}  // namespace

Rect solutionPlot(const Rect& area) {
  return area.adjusted(64.0, 30.0, -14.0, -36.0);
}

Commands solutionFigure(const SolutionFigureInput& in) {
  Commands out;
  Recorder r(out);
  const Transform t(in.box, solutionPlot(in.area));
  const Rect plot = t.plot();
  out.plot = plot;
  r.fill(kWhite, in.area);
  const Ticks xs = linearTicks(in.box.xMin, in.box.xMax, 6.0, TickRounding::Nearest);
  const Ticks ys = linearTicks(in.box.yMin, in.box.yMax, 6.0, TickRounding::Nearest);
  r.grid(t, xs, ys);
  r.axes(t, xs, ys, 0.0, false);
  r.pen(kBlack, 1.0);
  r.text({plot.right() - 8.0, plot.bottom() + 2.0 * in.metrics.lineHeight + 2.0}, Align::Start,
         Baseline::Alphabetic, "x");
  r.text({plot.left - 12.0, plot.top - 6.0}, Align::Start, Baseline::Alphabetic, "y");
  if (!in.title.empty())
    r.title({in.area.left, in.area.top + 4.0, in.area.width, 22.0}, in.title, false);
  std::vector<Polyline> world;
  world.reserve(in.curves.size());
  for (const SolutionFigureCurve& c : in.curves) world.push_back(c.world);
  r.clip(plot);
  r.pen(kField, 1.2);
  r.segments(in.field);
  r.noBrush();
  const Rect inside = plot.adjusted(-10.0, -10.0, 10.0, 10.0);
  std::vector<std::size_t> marked;  // curves with markers, by method
  for (std::size_t c = 0; c < in.curves.size(); ++c) {
    curvePen(r, in.curves[c]);
    for (const Polyline& run : visibleRuns(world[c], t, inside)) r.points(Op::Polyline, run);
    if (in.curves[c].method >= 0) marked.push_back(static_cast<std::size_t>(in.curves[c].method));
  }
  for (const std::size_t method : markerOrder(marked))
    for (std::size_t c = 0; c < in.curves.size(); ++c)
      if (in.curves[c].method == static_cast<int>(method))
        for (const Point at : markerPlaces(t, world[c])) r.marker(methodMarker(method, at));
  start(r, t.toPixel(in.start));
  r.unclip();
  legend(r, in, t, world);
  return out;
}

}  // namespace kemi::figure
