// Axes, markers, lines and legend texts of the figure layer on a QPainter.
#include "figures/figure_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

namespace kemi::figures {

void drawGrid(QPainter& painter, const figure::Transform& t, const figure::Ticks& xs,
              const figure::Ticks& ys) {
  const QRectF plot = toQt(t.plot());
  painter.save();
  painter.setPen(QPen(kGridColour, 1.0));
  for (std::int64_t k = xs.first; k <= xs.last; ++k) {
    const double px = t.toPixel(xs.value(k), t.box().yMin).x;
    painter.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
  }
  for (std::int64_t k = ys.first; k <= ys.last; ++k) {
    const double py = t.toPixel(t.box().xMin, ys.value(k)).y;
    painter.drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
  }
  painter.restore();
}

void drawAxes(QPainter& painter, const figure::Transform& t, const figure::Ticks& xs,
              const figure::Ticks& ys, double tickLength, bool trimmed) {
  const QRectF plot = toQt(t.plot());
  const QFontMetricsF metrics(painter.font());
  painter.save();
  painter.setPen(QPen(kFrameColour, 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(plot);
  const auto label = [trimmed](const figure::Ticks& ticks, std::int64_t k) {
    return QString::fromStdString(trimmed ? ticks.trimmedLabel(k) : ticks.label(k));
  };
  for (std::int64_t k = xs.first; k <= xs.last; ++k) {
    const double px = t.toPixel(xs.value(k), t.box().yMin).x;
    if (tickLength > 0.0)
      painter.drawLine(QPointF(px, plot.bottom()), QPointF(px, plot.bottom() + tickLength));
    const QString text = label(xs, k);
    painter.drawText(
        QPointF(px - metrics.horizontalAdvance(text) / 2.0, plot.bottom() + 6.0 + metrics.ascent()),
        text);
  }
  for (std::int64_t k = ys.first; k <= ys.last; ++k) {
    const double py = t.toPixel(t.box().xMin, ys.value(k)).y;
    if (tickLength > 0.0)
      painter.drawLine(QPointF(plot.left() - tickLength, py), QPointF(plot.left(), py));
    const QString text = label(ys, k);
    painter.drawText(QPointF(plot.left() - 7.0 - metrics.horizontalAdvance(text),
                             py + metrics.ascent() / 2.0 - 1.0),
                     text);
  }
  painter.restore();
}

void drawTitle(QPainter& painter, const QRectF& box, const QString& text) {
  painter.save();
  QFont bold = painter.font();
  bold.setBold(true);
  painter.setFont(bold);
  painter.setPen(Qt::black);
  painter.drawText(box, Qt::AlignCenter, text);
  painter.restore();
}

void drawMarker(QPainter& painter, const figure::MarkerShape& shape) {
  painter.save();
  painter.setPen(QPen(toQt(shape.colour), shape.pen));
  painter.setBrush(shape.filled ? QBrush(toQt(shape.colour)) : QBrush(Qt::NoBrush));
  if (shape.round) {
    painter.drawEllipse(toQt(shape.centre), shape.radius, shape.radius);
  } else {
    QPolygonF polygon;
    for (const figure::Point& p : shape.points) polygon << toQt(p);
    painter.drawPolygon(polygon);
  }
  painter.restore();
}

void drawMethodMarker(QPainter& painter, std::size_t method, QPointF at) {
  drawMarker(painter, figure::methodMarker(method, fromQt(at)));
}

QPen methodPen(std::size_t method, double width) {
  const figure::MethodStyle& style = figure::methodStyles()[method];
  QPen pen(toQt(style.colour), width);
  if (!style.dashes.empty())
    pen.setDashPattern(QList<qreal>(style.dashes.begin(), style.dashes.end()));
  return pen;
}

void drawRuns(QPainter& painter, const std::vector<figure::Polyline>& runs) {
  for (const figure::Polyline& run : runs) {
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(run.size()));
    for (const figure::Point& p : run) line << toQt(p);
    painter.drawPolyline(line);
  }
}

std::vector<QLineF> toLines(const std::vector<figure::Segment>& segments) {
  std::vector<QLineF> lines;
  lines.reserve(segments.size());
  for (const figure::Segment& s : segments) lines.emplace_back(toQt(s.a), toQt(s.b));
  return lines;
}

void drawLegendText(QPainter& painter, const figure::LegendItem& item, const QString& text) {
  const QFontMetricsF metrics(painter.font());
  painter.drawText(QPointF(item.textLeft, item.centreY + metrics.ascent() / 2.0 - 1.0), text);
}

}  // namespace kemi::figures
