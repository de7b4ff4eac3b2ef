// The Solution picture's commands, in the order and with the pens of the window's drawing.
#include "web/lab_figure.h"

#include <fmt/format.h>
#include <algorithm>
#include <cmath>

#include "plot/figure/clip.h"
#include "plot/figure/field.h"
#include "plot/figure/legend.h"
#include "plot/figure/style.h"
#include "plot/figure/ticks.h"

namespace kemi::web {
namespace {

using figure::Point;
using figure::Rgb;

using figure::Align;
using figure::Baseline;
using figure::Op;
using figure::Recorder;

constexpr Rgb kField{0x9A, 0x9A, 0x9A};
constexpr Rgb kSolution{0x70, 0x70, 0x70};
constexpr Rgb kStart{0xD0, 0x00, 0x00};
constexpr Rgb kBlack{0, 0, 0};
constexpr double kMarkLength = 16.0;

void curvePen(Recorder& r, const FigureCurve& c) {
  if (c.method < 0) {
    if (c.dashed)
      r.dashedPen(kSolution, 2.5);
    else
      r.pen(kSolution, 2.5);
  } else {
    const figure::MethodStyle& style = figure::methodStyles()[static_cast<std::size_t>(c.method)];
    r.pen(style.colour, 1.5, style.dashes);
  }
}

void start(Recorder& r, Point at) {
  r.pen(kBlack, 1.5);
  r.brush(kStart);
  r.circle(at, 4.0);
}

// Markers only where the steps lie far enough apart to be told from the line, near the plot.
std::vector<Point> markerPlaces(const figure::Transform& t, const figure::Polyline& world) {
  std::vector<Point> pixels;
  for (const Point w : world)
    if (std::isfinite(w.x) && std::isfinite(w.y)) pixels.push_back(t.toPixel(w));
  if (pixels.size() < 2) return {};
  const double spacing =
      std::abs(pixels.back().x - pixels.front().x) / static_cast<double>(pixels.size() - 1);
  if (spacing < 6.0) return {};
  const figure::Rect near = t.plot().adjusted(-8, -8, 8, 8);
  std::erase_if(pixels, [&](Point p) { return !near.contains(p); });
  return pixels;
}

void axes(Recorder& r, const figure::Transform& t) {
  const figure::ViewBox& box = t.box();
  const figure::Rect plot = t.plot();
  const figure::Ticks xs =
      figure::linearTicks(box.xMin, box.xMax, 6.0, figure::TickRounding::Nearest);
  const figure::Ticks ys =
      figure::linearTicks(box.yMin, box.yMax, 6.0, figure::TickRounding::Nearest);
  std::vector<figure::Segment> grid;
  for (std::int64_t k = xs.first; k <= xs.last; ++k) {
    const double px = t.toPixel(xs.value(k), box.yMin).x;
    grid.push_back({{px, plot.top}, {px, plot.bottom()}});
  }
  for (std::int64_t k = ys.first; k <= ys.last; ++k) {
    const double py = t.toPixel(box.xMin, ys.value(k)).y;
    grid.push_back({{plot.left, py}, {plot.right(), py}});
  }
  r.pen(figure::kGridColour, 1.0);
  r.segments(grid);
  r.axes(t, xs, ys, 0.0, false);
  r.pen(kBlack, 1.0);
  r.text({plot.right() - 8.0, plot.bottom() + 34.0}, Align::Start, Baseline::Alphabetic, "x");
  r.text({plot.left - 12.0, plot.top - 6.0}, Align::Start, Baseline::Alphabetic, "y");
}

void field(Recorder& r, const SolutionFigureInput& in, const figure::Transform& t) {
  std::vector<figure::FieldSample> samples;
  const figure::ViewBox& b = in.fieldBox;
  for (int j = 0; j < in.rows; ++j)
    for (int i = 0; i < in.columns; ++i) {
      const double v =
          in.slopes[static_cast<std::size_t>(j) * static_cast<std::size_t>(in.columns) +
                    static_cast<std::size_t>(i)];
      if (!std::isfinite(v)) continue;
      const double x = b.xMin + (b.xMax - b.xMin) * (i + 0.5) / in.columns;
      const double y = b.yMin + (b.yMax - b.yMin) * (j + 0.5) / in.rows;
      samples.push_back({t.toPixel(x, y), 1.0, v});
    }
  const std::vector<figure::Segment> marks = figure::fieldMarks(samples, t, kMarkLength);
  r.pen(kField, 1.2);
  r.segments(marks);
}

void legend(Recorder& r, const SolutionFigureInput& in, const figure::Transform& t,
            const std::vector<figure::Polyline>& world) {
  double width = 0.0;
  for (const FigureCurve& c : in.curves) width = std::max(width, c.textWidth);
  width += 52.0;
  const double row = in.rowHeight;
  const double height = row * static_cast<double>(in.curves.size() + 1) + 8.0;
  const figure::Rect box = figure::quietCorner(t, width, height, 8.0, world);
  r.pen({0x80, 0x80, 0x80}, 1.0);
  r.brush({255, 255, 255}, 235);
  r.rectangle(box);
  const auto items = figure::columnLegend({box.left + 8.0, box.top + 4.0}, row, 30.0, row, 6.0,
                                          in.curves.size() + 1);
  const auto label = [&r](const figure::LegendItem& item, const std::string& s) {
    r.pen(kBlack, 1.0);
    r.text({item.textLeft, item.centreY}, Align::Start, Baseline::Middle, s);
  };
  for (std::size_t i = 0; i < in.curves.size(); ++i) {
    const FigureCurve& c = in.curves[i];
    curvePen(r, c);
    r.points(Op::Polyline, {{items[i].swatch.left, items[i].centreY},
                            {items[i].swatch.right(), items[i].centreY}});
    if (c.method >= 0)
      r.marker(figure::methodMarker(static_cast<std::size_t>(c.method), items[i].swatch.centre()));
    label(items[i], c.name);
  }
  start(r, items.back().swatch.centre());
  label(items.back(), in.startName);
}

}  // namespace

figure::Rect solutionPlotRect(double width, double height) {
  return figure::Rect{0.0, 0.0, width, height}.adjusted(64.0, 30.0, -14.0, -36.0);
}

figure::Commands solutionFigure(const SolutionFigureInput& in) {
  figure::Commands out;
  Recorder r(out);
  const figure::Transform t(in.box, solutionPlotRect(in.width, in.height));
  out.plot = t.plot();
  r.fill({255, 255, 255}, {0.0, 0.0, in.width, in.height});
  axes(r, t);
  std::vector<figure::Polyline> world;
  for (const FigureCurve& c : in.curves) world.push_back(c.world);
  r.clip(t.plot());
  if (in.columns > 0 && in.rows > 0 &&
      in.slopes.size() >= static_cast<std::size_t>(in.columns) * static_cast<std::size_t>(in.rows))
    field(r, in, t);
  const figure::Rect inside = t.plot().adjusted(-10.0, -10.0, 10.0, 10.0);
  std::vector<std::size_t> marked;
  for (std::size_t c = 0; c < in.curves.size(); ++c) {
    curvePen(r, in.curves[c]);
    for (const figure::Polyline& run : figure::visibleRuns(world[c], t, inside))
      r.points(Op::Polyline, run);
    if (in.curves[c].method >= 0) marked.push_back(static_cast<std::size_t>(in.curves[c].method));
  }
  for (const std::size_t method : figure::markerOrder(marked))
    for (std::size_t c = 0; c < in.curves.size(); ++c)
      if (in.curves[c].method == static_cast<int>(method))
        for (const Point at : markerPlaces(t, world[c])) r.marker(figure::methodMarker(method, at));
  start(r, t.toPixel(in.start));
  r.unclip();
  legend(r, in, t, world);
  return out;
}

std::string roundedText(double value, int digits) {
  return fmt::format("{:.{}g}", value, digits);
}

}  // namespace kemi::web
