// The system pictures' painting pieces over the figure layer.
#include "figures/system_painting.h"

#include <QPainter>

#include "plot/figure/clip.h"
#include "plot/figure/ticks.h"
#include "study/system_methods.h"

namespace kemi::lab {
namespace {

namespace fg = kemi::figure;

QColor qColour(fg::Rgb c) {
  return QColor(c.r, c.g, c.b);
}

QPointF qPoint(fg::Point p) {
  return {p.x, p.y};
}

}  // namespace

// The seven keep their styles of every picture; the two symplectic methods get their own.
fg::MethodStyle styleOf(std::size_t method) {
  if (method == study::kSymplecticEuler)
    return {{0x7F, 0x3C, 0x8D}, fg::Marker::Square, true, {2, 2}};
  if (method == study::kVerlet) return {{0x99, 0x99, 0x33}, fg::Marker::Triangle, true, {6, 2}};
  return fg::methodStyles()[method];
}

void paintMarker(QPainter& p, const fg::MethodStyle& style, fg::Point at) {
  const double radius = fg::kMarkerRadius * (style.hollow ? 1.35 : 1.0);
  const fg::MarkerShape shape = fg::markerShape(style.marker, at, radius);
  p.setPen(QPen(qColour(style.colour), style.hollow ? fg::kHollowMarkerPen : fg::kMarkerPen));
  p.setBrush(style.hollow ? QBrush(Qt::NoBrush) : QBrush(qColour(style.colour)));
  if (shape.round) {
    p.drawEllipse(qPoint(shape.centre), shape.radius, shape.radius);
    return;
  }
  QPolygonF polygon;
  for (const fg::Point& q : shape.points) polygon << qPoint(q);
  p.drawPolygon(polygon);
}

void paintRuns(QPainter& p, const std::vector<fg::Point>& world, const fg::Transform& t,
               const QPen& pen) {
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  for (const fg::Polyline& run : fg::visibleRuns(world, t, t.plot())) {
    QPolygonF line;
    for (const fg::Point& q : run) line << qPoint(q);
    p.drawPolyline(line);
  }
}

QPen methodPen(const fg::MethodStyle& style) {
  QPen pen(qColour(style.colour), 1.6);
  if (!style.dashes.empty())
    pen.setDashPattern(QList<qreal>(style.dashes.begin(), style.dashes.end()));
  return pen;
}

void paintAxes(QPainter& p, const fg::Transform& t, bool logY, const QString& xName,
               const QString& yName, bool logX) {
  const fg::Rect& r = t.plot();
  const fg::ViewBox& b = t.box();
  p.setPen(QPen(Qt::black, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(r.left, r.top, r.width, r.height));
  const auto xTick = [&](double value, const std::string& label) {
    const double x = t.toPixel(value, b.yMin).x;
    p.drawLine(QPointF(x, r.bottom()), QPointF(x, r.bottom() + 5.0));
    p.drawText(QRectF(x - 40.0, r.bottom() + 6.0, 80.0, 16.0), Qt::AlignHCenter,
               QString::fromStdString(label));
  };
  if (logX) {
    const fg::LogTicks xt = fg::logTicks(b.xMin, b.xMax, 10);
    for (int k = xt.first; k <= xt.last; k += xt.every) xTick(xt.value(k), xt.label(k));
  } else {
    const fg::Ticks xt = fg::linearTicks(b.xMin, b.xMax, 8.0, fg::TickRounding::Nearest);
    for (std::int64_t k = xt.first; k <= xt.last; ++k) xTick(xt.value(k), xt.trimmedLabel(k));
  }
  const auto yTick = [&](double value, const std::string& label) {
    const double y = t.toPixel(b.xMin, value).y;
    p.drawLine(QPointF(r.left - 5.0, y), QPointF(r.left, y));
    p.drawText(QRectF(r.left - 68.0, y - 8.0, 60.0, 16.0), Qt::AlignRight | Qt::AlignVCenter,
               QString::fromStdString(label));
  };
  if (logY) {
    const fg::LogTicks yt = fg::logTicks(b.yMin, b.yMax, 8);
    for (int k = yt.first; k <= yt.last; k += yt.every) yTick(yt.value(k), yt.label(k));
  } else {
    const fg::Ticks yt = fg::linearTicks(b.yMin, b.yMax, 6.0, fg::TickRounding::Nearest);
    for (std::int64_t k = yt.first; k <= yt.last; ++k) yTick(yt.value(k), yt.trimmedLabel(k));
  }
  p.drawText(QRectF(r.left, r.bottom() + 22.0, r.width, 16.0), Qt::AlignHCenter, xName);
  p.save();
  p.translate(r.left - 56.0, r.top + r.height / 2.0);
  p.rotate(-90.0);
  p.drawText(QRectF(-r.height / 2.0, -16.0, r.height, 16.0), Qt::AlignHCenter, yName);
  p.restore();
}

}  // namespace kemi::lab
