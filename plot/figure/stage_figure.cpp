// The stage picture's commands. Slopes are drawn as segments of one length on the screen
// whatever their steepness, so a stiff equation's steep stages stay inside the picture.
#include "plot/figure/stage_figure.h"

#include <fmt/format.h>
#include <algorithm>
#include <cmath>

namespace kemi::figure {
namespace {

constexpr double kSlopeHalfLength = 24.0;  // pixels either side of a stage point
constexpr double kLeft = 72, kTop = 30, kRight = 16, kBottom = 70;
constexpr Rgb kSolution{0x90, 0x90, 0x90};

void solutionPen(Recorder& r, bool reference) {
  if (reference)
    r.dashedPen(kSolution, 2.0);
  else
    r.pen(kSolution, 2.0);
}

void stages(Recorder& r, const StageFigureInput& in, const Transform& t) {
  const Rgb colour = methodStyles()[in.method].colour;
  const Rect plot = t.plot();
  const Point start = t.toPixel(in.start);
  const StageRecord& s = in.stages;
  for (int e = 0; e < s.evaluations && e < StageRecord::kMost; ++e) {
    const auto i = static_cast<std::size_t>(e);
    const Point at = t.toPixel(s.x[i], s.y[i]);
    r.dashedPen(colour, 1.0);
    if (e > 0) r.line(start, at);
    // The slope's direction on the screen: one unit of x, slope units of y, in pixels.
    const double dx = plot.width / (in.box.xMax - in.box.xMin);
    const double dy = -s.slope[i] * plot.height / (in.box.yMax - in.box.yMin);
    const double length = std::hypot(dx, dy);
    const Point half =
        std::isfinite(length) && length > 0.0
            ? Point{dx * (kSlopeHalfLength / length), dy * (kSlopeHalfLength / length)}
            : Point{0.0, kSlopeHalfLength};
    r.pen(colour, 2.5);
    r.line({at.x - half.x, at.y - half.y}, {at.x + half.x, at.y + half.y});
    r.pen(kBlack, 1.0);
    r.brush(colour);
    r.circle(at, 4.0);
    r.text({at.x + 6.0, at.y + (-6.0 - 12.0 * (e % 2))}, Align::Start, Baseline::Alphabetic,
           fmt::format("k{}", e + 1));
  }
}

// The step: a thin black arrow from the start to the new point, apart from the thick slopes
// even where a slope lies along it (Euler's k1) or is drawn in black (Euler's colour).
void step(Recorder& r, const StageFigureInput& in, const Transform& t) {
  const Point start = t.toPixel(in.start);
  const Point end = t.toPixel(in.end);
  r.pen(kBlack, 1.5);
  r.line(start, end);
  const double length = std::hypot(end.x - start.x, end.y - start.y);
  if (length > 1.0) {
    const Point along{(end.x - start.x) / length, (end.y - start.y) / length};
    const Point across{-along.y, along.x};
    const Point base{end.x - along.x * 16.0, end.y - along.y * 16.0};
    r.brush(kBlack);
    r.points(Op::Polygon, {end,
                           {base.x + across.x * 5.0, base.y + across.y * 5.0},
                           {base.x - across.x * 5.0, base.y - across.y * 5.0}});
  }
  r.marker(methodMarker(in.method, end));
  if (std::isfinite(in.estimate)) {
    r.pen(kBlack, 1.5);
    r.noBrush();
    r.circle(t.toPixel(in.end.x, in.end.y - in.estimate), 6.0);
  }
}

void legend(Recorder& r, const StageFigureInput& in) {
  std::array<double, 3> widths{};
  for (std::size_t i = 0; i < widths.size(); ++i) widths[i] = in.metrics.width(in.legend[i]);
  const auto items =
      rowLegend(kLeft, in.height - kBottom + 30 + in.metrics.ascent / 2.0, 24.0, 6.0, 14.0, widths);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i == 0)
      solutionPen(r, in.reference);
    else if (i == 1)
      r.pen(methodStyles()[in.method].colour, 2.5);
    else
      r.pen(kBlack, 1.5);
    r.line({items[i].swatch.left, items[i].centreY}, {items[i].swatch.right(), items[i].centreY});
    r.pen(kBlack, 1.0);
    r.text({items[i].textLeft, items[i].centreY}, Align::Start, Baseline::Middle, in.legend[i]);
  }
}

}  // namespace

ViewBox stageBox(Point start, Point end, double estimate, const StageRecord& stages,
                 const Polyline& solution) {
  const double h = end.x - start.x;
  ViewBox box;
  box.xMin = std::min(start.x, end.x) - 0.08 * std::abs(h);
  box.xMax = std::max(start.x, end.x) + 0.08 * std::abs(h);
  Polyline all{start, end};
  if (std::isfinite(estimate)) all.push_back({end.x, end.y - estimate});
  for (int e = 0; e < stages.evaluations && e < StageRecord::kMost; ++e)
    all.push_back({stages.x[static_cast<std::size_t>(e)], stages.y[static_cast<std::size_t>(e)]});
  for (const Point p : solution)
    if (std::isfinite(p.y)) all.push_back(p);
  const auto [low, high] =
      std::minmax_element(all.begin(), all.end(), [](Point a, Point b) { return a.y < b.y; });
  const double pad = std::max((high->y - low->y) * 0.15, 1e-9 * (1.0 + std::abs(low->y)));
  box.yMin = low->y - pad;
  box.yMax = high->y + pad;
  return box;
}

Rect stagePlot(double width, double height) {
  return Rect{0.0, 0.0, width, height}.adjusted(kLeft, kTop, -kRight, -kBottom);
}

Commands stageFigure(const StageFigureInput& in) {
  Commands out;
  Recorder r(out);
  const Rect plot = stagePlot(in.width, in.height);
  out.plot = plot;
  r.fill(kWhite, {0.0, 0.0, in.width, in.height});
  r.title({0.0, 4.0, in.width, kTop - 8}, in.title);
  const Transform t(in.box, plot);
  if (!in.shown) {
    r.pen(kFrameColour, 1.0);
    r.noBrush();
    r.rectangle(plot);
    return out;
  }
  const Ticks xs = linearTicks(in.box.xMin, in.box.xMax, 5.0, TickRounding::AtLeast);
  const Ticks ys = linearTicks(in.box.yMin, in.box.yMax, 5.0, TickRounding::AtLeast);
  r.axes(t, xs, ys, 4.0, true);
  if (plot.width < 2 || plot.height < 2) return out;
  r.clip(plot);
  solutionPen(r, in.reference);
  Polyline curve;
  for (const Point p : in.solution) curve.push_back(t.toPixel(p));
  r.points(Op::Polyline, curve);
  stages(r, in, t);
  step(r, in, t);
  r.unclip();
  legend(r, in);
  return out;
}

}  // namespace kemi::figure
