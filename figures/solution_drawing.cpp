// Drawing the Solution picture through the figure painter: the grid and axes (labels written
// from whole numbers, so a label is the decimal it stands for), the field in one drawLines
// call, each curve as polylines cut to the plot, the methods' markers over all lines (hollow
// ones first, so RK4's diamond shows inside RK4G's ring), the start, and the legend in the
// corner the curves leave free.
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "figures/figure_painter.h"
#include "figures/solution_picture.h"
#include "plot/figure/clip.h"
#include "plot/figure/legend.h"

namespace kemi::lab {
namespace {

using figures::fromQt;
using figures::toQt;

const QColor kStartColour(0xD0, 0x00, 0x00);
const QColor kFieldColour(0x9A, 0x9A, 0x9A);

QPen curvePen(const SolutionCurve& curve) {
  QPen pen(curve.colour, curve.method < 0 ? 2.5 : 1.5);
  if (curve.dashed) pen.setStyle(Qt::DashLine);
  return pen;
}

void drawStart(QPainter& p, QPointF at) {
  p.setPen(QPen(Qt::black, 1.5));
  p.setBrush(kStartColour);
  p.drawEllipse(at, 4.0, 4.0);
}

// The pixels of a curve's points where markers are drawn: only where the steps lie far enough
// apart to be told from the line, and near the plot.
std::vector<figure::Point> markerPlaces(const figure::Transform& t, const figure::Polyline& world) {
  std::vector<figure::Point> pixels;
  for (const figure::Point& w : world)
    if (std::isfinite(w.x) && std::isfinite(w.y)) pixels.push_back(t.toPixel(w));
  if (pixels.size() < 2) return {};
  const double spacing =
      std::abs(pixels.back().x - pixels.front().x) / static_cast<double>(pixels.size() - 1);
  if (spacing < 6.0) return {};
  const figure::Rect near = t.plot().adjusted(-8, -8, 8, 8);
  std::erase_if(pixels, [&](figure::Point p) { return !near.contains(p); });
  return pixels;
}

void drawLegend(QPainter& p, const figure::Transform& t, const SolutionScene& scene,
                const std::vector<figure::Polyline>& world) {
  const QFontMetricsF metrics(p.font());
  const double row = metrics.height() + 4.0;
  double width = 0.0;
  for (const SolutionCurve& curve : scene.curves)
    width = std::max(width, metrics.horizontalAdvance(curve.name));
  width += 52.0;
  const double height = row * static_cast<double>(scene.curves.size() + 1) + 8.0;
  const figure::Rect box = figure::quietCorner(t, width, height, 8.0, world);
  p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1.0));
  p.setBrush(QColor(255, 255, 255, 235));
  p.drawRect(toQt(box));
  const auto items = figure::columnLegend({box.left + 8.0, box.top + 4.0}, row, 30.0, row, 6.0,
                                          scene.curves.size() + 1);
  for (std::size_t i = 0; i < scene.curves.size(); ++i) {
    const SolutionCurve& curve = scene.curves[i];
    const figure::LegendItem& item = items[i];
    p.setPen(curvePen(curve));
    p.drawLine(QPointF(item.swatch.left, item.centreY), QPointF(item.swatch.right(), item.centreY));
    if (curve.method >= 0)
      figures::drawMethodMarker(p, static_cast<std::size_t>(curve.method),
                                toQt(item.swatch.centre()));
    p.setPen(Qt::black);
    figures::drawLegendText(p, item, curve.name);
  }
  drawStart(p, toQt(items.back().swatch.centre()));
  p.setPen(Qt::black);
  figures::drawLegendText(p, items.back(), QCoreApplication::translate("SolutionPicture", "Start"));
}

}  // namespace

void drawSolution(QPainter& painter, const QRectF& area, const ViewBox& box,
                  const std::vector<QLineF>& field, const SolutionScene& scene) {
  const figure::Transform t(box, fromQt(plotRectIn(area)));
  const QRectF plot = toQt(t.plot());
  painter.save();
  painter.fillRect(area, Qt::white);
  painter.setRenderHint(QPainter::Antialiasing);
  const figure::Ticks xs =
      figure::linearTicks(box.xMin, box.xMax, 6.0, figure::TickRounding::Nearest);
  const figure::Ticks ys =
      figure::linearTicks(box.yMin, box.yMax, 6.0, figure::TickRounding::Nearest);
  figures::drawGrid(painter, t, xs, ys);
  figures::drawAxes(painter, t, xs, ys, 0.0, false);
  const QFontMetricsF metrics(painter.font());
  painter.setPen(Qt::black);
  painter.drawText(QPointF(plot.right() - 8.0, plot.bottom() + 2.0 * metrics.height() + 2.0),
                   QStringLiteral("x"));
  painter.drawText(QPointF(plot.left() - 12.0, plot.top() - 6.0), QStringLiteral("y"));
  painter.drawText(QRectF(area.left(), area.top() + 4.0, area.width(), 22.0),
                   Qt::AlignHCenter | Qt::AlignVCenter, scene.title);

  std::vector<figure::Polyline> world;
  world.reserve(scene.curves.size());
  for (const SolutionCurve& curve : scene.curves) {
    figure::Polyline& points = world.emplace_back();
    points.reserve(curve.points.size());
    for (const QPointF& p : curve.points) points.push_back(fromQt(p));
  }
  painter.setClipRect(plot);
  painter.setPen(QPen(kFieldColour, 1.2));
  painter.drawLines(field.data(), static_cast<int>(field.size()));
  painter.setBrush(Qt::NoBrush);
  const figure::Rect inside = t.plot().adjusted(-10.0, -10.0, 10.0, 10.0);
  std::vector<std::size_t> marked;  // curves with markers, by method
  for (std::size_t c = 0; c < scene.curves.size(); ++c) {
    painter.setPen(curvePen(scene.curves[c]));
    figures::drawRuns(painter, figure::visibleRuns(world[c], t, inside));
    if (scene.curves[c].method >= 0)
      marked.push_back(static_cast<std::size_t>(scene.curves[c].method));
  }
  for (const std::size_t method : figure::markerOrder(marked))
    for (std::size_t c = 0; c < scene.curves.size(); ++c)
      if (scene.curves[c].method == static_cast<int>(method))
        for (const figure::Point at : markerPlaces(t, world[c]))
          figures::drawMarker(painter, figure::methodMarker(method, at));
  drawStart(painter, toQt(t.toPixel(scene.start.x(), scene.start.y())));
  painter.setClipping(false);
  drawLegend(painter, t, scene, world);
  painter.restore();
}

}  // namespace kemi::lab
