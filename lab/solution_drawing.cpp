// Drawing the Solution picture: ticks whose labels are written from whole numbers (so a label
// is the decimal it stands for, never 0.30000000000000004), the field in one drawLines call,
// each curve as polylines with its method's markers, the start, and the legend.
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "method_style.h"
#include "solution_picture.h"

namespace kemi::lab {
namespace {

struct Ticks {
  std::int64_t first = 0;  // the ticks are k * mantissa * 10^exponent, k = first..last
  std::int64_t last = -1;
  int mantissa = 1;
  int exponent = 0;
  double value(std::int64_t k) const {
    return static_cast<double>(k * mantissa) * std::pow(10.0, exponent);
  }
};

Ticks ticksFor(double lo, double hi) {
  Ticks t;
  const double raw = (hi - lo) / 6.0;
  if (!(raw > 0.0) || !std::isfinite(raw)) return t;
  t.exponent = static_cast<int>(std::floor(std::log10(raw)));
  const double base = raw / std::pow(10.0, t.exponent);
  t.mantissa = base < 1.5 ? 1 : base < 3.5 ? 2 : base < 7.5 ? 5 : 10;
  if (t.mantissa == 10) t.mantissa = 1, ++t.exponent;
  const double step = t.mantissa * std::pow(10.0, t.exponent);
  t.first = static_cast<std::int64_t>(std::ceil(lo / step));
  t.last = static_cast<std::int64_t>(std::floor(hi / step));
  return t;
}

// The decimal text of k * mantissa * 10^exponent.
QString tickLabel(const Ticks& t, std::int64_t k) {
  const std::int64_t v = k * t.mantissa;
  if (v == 0) return QStringLiteral("0");
  QString digits = QString::number(v < 0 ? -v : v);
  if (t.exponent > 6 || t.exponent < -8)
    return QStringLiteral("%1%2e%3").arg(v < 0 ? "-" : "", digits).arg(t.exponent);
  if (t.exponent >= 0) {
    digits += QString(t.exponent, QLatin1Char('0'));
  } else {
    const int places = -t.exponent;
    if (digits.size() <= places) digits = QString(places - digits.size() + 1, '0') + digits;
    digits.insert(digits.size() - places, QLatin1Char('.'));
  }
  return v < 0 ? QLatin1Char('-') + digits : digits;
}

void drawAxes(QPainter& p, const ViewTransform& t) {
  const QRectF plot = t.plot();
  const QFontMetricsF metrics(p.font());
  p.setPen(QPen(QColor(0xE4, 0xE4, 0xE4), 1.0));
  const Ticks xs = ticksFor(t.box().xMin, t.box().xMax);
  const Ticks ys = ticksFor(t.box().yMin, t.box().yMax);
  for (std::int64_t k = xs.first; k <= xs.last; ++k) {
    const double px = t.toPixel(xs.value(k), 0.0).x();
    p.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
  }
  for (std::int64_t k = ys.first; k <= ys.last; ++k) {
    const double py = t.toPixel(0.0, ys.value(k)).y();
    p.drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
  }
  p.setPen(QPen(Qt::black, 1.0));
  p.drawRect(plot);
  for (std::int64_t k = xs.first; k <= xs.last; ++k) {
    const double px = t.toPixel(xs.value(k), 0.0).x();
    const QString label = tickLabel(xs, k);
    p.drawText(QPointF(px - metrics.horizontalAdvance(label) / 2.0,
                       plot.bottom() + metrics.ascent() + 4.0),
               label);
  }
  for (std::int64_t k = ys.first; k <= ys.last; ++k) {
    const double py = t.toPixel(0.0, ys.value(k)).y();
    const QString label = tickLabel(ys, k);
    p.drawText(QPointF(plot.left() - metrics.horizontalAdvance(label) - 6.0,
                       py + metrics.ascent() / 2.0 - 1.0),
               label);
  }
  p.drawText(QPointF(plot.right() - 8.0, plot.bottom() + 2.0 * metrics.height() + 2.0),
             QStringLiteral("x"));
  p.drawText(QPointF(plot.left() - 12.0, plot.top() - 6.0), QStringLiteral("y"));
}

// The marker of method `m` centred on the origin, about `size` pixels across.
QPainterPath markerPath(int m, double size) {
  QPainterPath path;
  const double r = size / 2.0;
  auto polygon = [&](int corners, double turn, bool star) {
    QPolygonF points;
    const int count = star ? corners * 2 : corners;
    for (int i = 0; i < count; ++i) {
      const double radius = star && i % 2 == 1 ? r * 0.45 : r;
      const double angle = turn + 2.0 * M_PI * i / count;
      points << QPointF(radius * std::sin(angle), -radius * std::cos(angle));
    }
    points << points.front();
    path.addPolygon(points);
  };
  switch (methodStyles()[static_cast<std::size_t>(m)].shape) {
    case QScatterSeries::MarkerShapeRectangle: path.addRect(-r * 0.8, -r * 0.8, r * 1.6, r * 1.6); break;
    case QScatterSeries::MarkerShapeTriangle: polygon(3, 0.0, false); break;
    case QScatterSeries::MarkerShapeRotatedRectangle: polygon(4, 0.0, false); break;
    case QScatterSeries::MarkerShapeStar: polygon(5, 0.0, true); break;
    case QScatterSeries::MarkerShapePentagon: polygon(5, 0.0, false); break;
    default: path.addEllipse(QPointF(0.0, 0.0), r * 0.8, r * 0.8); break;
  }
  return path;
}

QPen curvePen(const SolutionCurve& curve) {
  QPen pen(curve.colour, curve.method < 0 ? 2.5 : 1.5);
  if (curve.dashed) pen.setStyle(Qt::DashLine);
  return pen;
}

void drawMarker(QPainter& p, const SolutionCurve& curve, const QPainterPath& marker, QPointF at) {
  const bool hollow = methodStyles()[static_cast<std::size_t>(curve.method)].hollow;
  p.setPen(QPen(curve.colour, hollow ? 1.8 : 1.0));
  p.setBrush(hollow ? QBrush(Qt::white) : QBrush(curve.colour));
  p.drawPath(marker.translated(at));
}

void drawCurve(QPainter& p, const ViewTransform& t, const SolutionCurve& curve) {
  p.setPen(curvePen(curve));
  p.setBrush(Qt::NoBrush);
  const QRectF inside = t.plot().adjusted(-10.0, -10.0, 10.0, 10.0);
  QPolygonF run;
  std::vector<QPointF> pixels;
  pixels.reserve(curve.points.size());
  bool previous = false;
  QPointF last;
  for (const QPointF& w : curve.points) {
    const bool finite = std::isfinite(w.x()) && std::isfinite(w.y());
    const QPointF here = finite ? t.toPixel(w.x(), w.y()) : QPointF();
    if (finite) pixels.push_back(here);
    if (finite && previous) {
      QPointF a = last;
      QPointF b = here;
      if (clipToRect(a, b, inside)) {
        if (run.isEmpty() || run.back() != a) {
          if (run.size() > 1) p.drawPolyline(run);
          run.clear();
          run << a;
        }
        run << b;
      }
    }
    previous = finite;
    last = here;
  }
  if (run.size() > 1) p.drawPolyline(run);
  if (curve.method < 0 || pixels.size() < 2) return;
  // Markers only where the steps lie far enough apart to be told from the line.
  const double spacing = std::abs(pixels.back().x() - pixels.front().x()) /
                         static_cast<double>(pixels.size() - 1);
  if (spacing < 6.0) return;
  const QPainterPath marker = markerPath(curve.method, 8.0);
  for (const QPointF& at : pixels)
    if (t.plot().adjusted(-8, -8, 8, 8).contains(at)) drawMarker(p, curve, marker, at);
}

// The corner of the plot whose box covers the fewest points of the curves.
QRectF quietCorner(const ViewTransform& t, const SolutionScene& scene, QSizeF size) {
  const QRectF plot = t.plot();
  const std::array<QRectF, 4> corners{
      QRectF(QPointF(plot.right() - size.width() - 8.0, plot.top() + 8.0), size),
      QRectF(QPointF(plot.left() + 8.0, plot.top() + 8.0), size),
      QRectF(QPointF(plot.right() - size.width() - 8.0, plot.bottom() - size.height() - 8.0), size),
      QRectF(QPointF(plot.left() + 8.0, plot.bottom() - size.height() - 8.0), size)};
  std::array<std::size_t, 4> covered{};
  for (const SolutionCurve& curve : scene.curves) {
    const std::size_t stride = curve.points.size() / 500 + 1;
    for (std::size_t i = 0; i < curve.points.size(); i += stride) {
      const QPointF at = t.toPixel(curve.points[i].x(), curve.points[i].y());
      for (std::size_t c = 0; c < corners.size(); ++c) covered[c] += corners[c].contains(at) ? 1 : 0;
    }
  }
  return corners[static_cast<std::size_t>(std::min_element(covered.begin(), covered.end()) -
                                          covered.begin())];
}

void drawLegend(QPainter& p, const ViewTransform& t, const SolutionScene& scene) {
  const QFontMetricsF metrics(p.font());
  const double row = metrics.height() + 4.0;
  double width = 0.0;
  for (const SolutionCurve& curve : scene.curves)
    width = std::max(width, metrics.horizontalAdvance(curve.name));
  width += 52.0;
  const double height = row * static_cast<double>(scene.curves.size() + 1) + 8.0;
  const QRectF box = quietCorner(t, scene, QSizeF(width, height));
  p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1.0));
  p.setBrush(QColor(255, 255, 255, 235));
  p.drawRect(box);
  double y = box.top() + 4.0 + row / 2.0;
  for (const SolutionCurve& curve : scene.curves) {
    p.setPen(curvePen(curve));
    p.drawLine(QPointF(box.left() + 8.0, y), QPointF(box.left() + 38.0, y));
    if (curve.method >= 0) drawMarker(p, curve, markerPath(curve.method, 8.0), {box.left() + 23.0, y});
    p.setPen(Qt::black);
    p.drawText(QPointF(box.left() + 44.0, y + metrics.ascent() / 2.0 - 1.0), curve.name);
    y += row;
  }
  p.setPen(QPen(Qt::black, 1.5));
  p.setBrush(QColor(0xD0, 0x00, 0x00));
  p.drawEllipse(QPointF(box.left() + 23.0, y), 4.0, 4.0);
  p.setPen(Qt::black);
  p.drawText(QPointF(box.left() + 44.0, y + metrics.ascent() / 2.0 - 1.0), QStringLiteral("Start"));
}

}  // namespace

void drawSolution(QPainter& painter, const QRectF& area, const ViewBox& box,
                  const std::vector<QLineF>& field, const SolutionScene& scene) {
  const ViewTransform t(box, plotRectIn(area));
  painter.save();
  painter.fillRect(area, Qt::white);
  painter.setRenderHint(QPainter::Antialiasing);
  drawAxes(painter, t);
  painter.drawText(QRectF(area.left(), area.top() + 4.0, area.width(), 22.0),
                   Qt::AlignHCenter | Qt::AlignVCenter, scene.title);
  painter.setClipRect(t.plot());
  painter.setPen(QPen(QColor(0x9A, 0x9A, 0x9A), 1.2));
  painter.drawLines(field.data(), static_cast<int>(field.size()));
  for (const SolutionCurve& curve : scene.curves) drawCurve(painter, t, curve);
  const QPointF start = t.toPixel(scene.start.x(), scene.start.y());
  painter.setPen(QPen(Qt::black, 1.5));
  painter.setBrush(QColor(0xD0, 0x00, 0x00));
  painter.drawEllipse(start, 4.0, 4.0);
  painter.setClipping(false);
  drawLegend(painter, t, scene);
  painter.restore();
}

}  // namespace kemi::lab
