// Replaying drawing commands with QPainter.
#include "figures/command_painter.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPolygonF>
#include <vector>

#include "figures/figure_painter.h"

namespace kemi::figures {
namespace {

class Reader {
 public:
  explicit Reader(const std::vector<double>& ops) : ops_(ops) {}
  bool done() const { return at_ >= ops_.size(); }
  double next() { return ops_[at_++]; }
  int whole() { return static_cast<int>(next()); }
  QPointF point() {
    const double x = next();
    return {x, next()};
  }
  QRectF rect() {
    const QPointF topLeft = point();
    const double w = next();
    return {topLeft, QSizeF(w, next())};
  }
  QColor colour() {
    const int r = whole();
    const int g = whole();
    return {r, g, whole()};
  }
  QPolygonF polygon() {
    QPolygonF out;
    const int count = whole();
    out.reserve(count);
    for (int i = 0; i < count; ++i) out << point();
    return out;
  }

 private:
  const std::vector<double>& ops_;
  std::size_t at_ = 0;
};

QPen penOf(Reader& in) {
  const QColor colour = in.colour();
  QPen pen(colour, in.next());
  const int style = in.whole();
  const int count = in.whole();
  QList<qreal> dashes;
  for (int i = 0; i < count; ++i) dashes << in.next();
  if (style == 1)
    pen.setStyle(Qt::DashLine);
  else if (!dashes.isEmpty())
    pen.setDashPattern(dashes);
  return pen;
}

void text(QPainter& painter, Reader& in, const figure::Commands& commands) {
  const QFontMetricsF metrics(painter.font());
  QPointF at = in.point();
  const int align = in.whole();
  const int baseline = in.whole();
  const QString s = QString::fromStdString(commands.texts[static_cast<std::size_t>(in.whole())]);
  if (align == 1) at.rx() -= metrics.horizontalAdvance(s) / 2.0;
  if (align == 2) at.rx() -= metrics.horizontalAdvance(s);
  if (baseline == 1) at.ry() += metrics.ascent() / 2.0 - 1.0;
  if (baseline == 2) at.ry() += metrics.ascent();
  painter.drawText(at, s);
}

}  // namespace

void replay(QPainter& painter, const figure::Commands& commands) {
  painter.setRenderHint(QPainter::Antialiasing);
  Reader in(commands.ops);
  while (!in.done()) {
    switch (static_cast<figure::Op>(in.whole())) {
      case figure::Op::Pen:
        painter.setPen(penOf(in));
        break;
      case figure::Op::Brush: {
        QColor colour = in.colour();
        const int alpha = in.whole();
        colour.setAlpha(alpha);
        painter.setBrush(alpha > 0 ? QBrush(colour) : QBrush(Qt::NoBrush));
        break;
      }
      case figure::Op::Polyline:
        painter.drawPolyline(in.polygon());
        break;
      case figure::Op::Polygon:
        painter.drawPolygon(in.polygon());
        break;
      case figure::Op::Circle: {
        const QPointF centre = in.point();
        const double radius = in.next();
        painter.drawEllipse(centre, radius, radius);
        break;
      }
      case figure::Op::Segments: {
        std::vector<QLineF> lines(static_cast<std::size_t>(in.whole()));
        for (QLineF& line : lines) {
          const QPointF a = in.point();
          line = QLineF(a, in.point());
        }
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
        break;
      }
      case figure::Op::Rectangle:
        painter.drawRect(in.rect());
        break;
      case figure::Op::Text:
        text(painter, in, commands);
        break;
      case figure::Op::Clip:
        painter.save();
        painter.setClipRect(in.rect());
        break;
      case figure::Op::Unclip:
        painter.restore();
        break;
      case figure::Op::Fill: {
        const QColor colour = in.colour();
        painter.fillRect(in.rect(), colour);
        break;
      }
      case figure::Op::Title: {
        const QRectF box = in.rect();
        const QString s =
            QString::fromStdString(commands.texts[static_cast<std::size_t>(in.whole())]);
        if (in.whole() != 0) {
          drawTitle(painter, box, s);
        } else {
          painter.setPen(Qt::black);
          painter.drawText(box, Qt::AlignHCenter | Qt::AlignVCenter, s);
        }
        break;
      }
      case figure::Op::Image: {
        const QPointF at = in.point();
        const figure::Image& image = commands.images[static_cast<std::size_t>(in.whole())];
        const QImage wrapped(reinterpret_cast<const uchar*>(image.pixels.data()), image.width,
                             image.height, static_cast<qsizetype>(image.width) * 4,
                             QImage::Format_ARGB32_Premultiplied);
        painter.drawImage(at, wrapped);
        break;
      }
    }
  }
}

figure::TextMetrics textMetrics(const QPainter& painter) {
  const QFontMetricsF metrics(painter.font());
  return {metrics.ascent(), metrics.height(), [metrics](const std::string& s) {
            return metrics.horizontalAdvance(QString::fromStdString(s));
          }};
}

}  // namespace kemi::figures
