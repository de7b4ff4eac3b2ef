// The regions' pixels, blended by hand: a QPainter call per pixel would cost more than R.
#include "stability_region_image.h"

#include <QPolygonF>
#include <cmath>
#include <numbers>

#include "method_style.h"

namespace kemi::lab {
namespace {

// `colour` at `alpha` over the premultiplied pixel `below`.
QRgb over(QRgb below, const QColor& colour, int alpha) {
  const auto blend = [alpha](int top, int under) {
    return (top * alpha + under * (255 - alpha)) / 255;
  };
  return qRgba(blend(colour.red(), qRed(below)), blend(colour.green(), qGreen(below)),
               blend(colour.blue(), qBlue(below)), blend(255, qAlpha(below)));
}

QPolygonF regularPolygon(QPointF at, double radius, int corners, double turn) {
  QPolygonF polygon;
  for (int i = 0; i < corners; ++i) {
    const double angle = turn + 2.0 * std::numbers::pi * i / corners;
    polygon << at + QPointF(radius * std::sin(angle), -radius * std::cos(angle));
  }
  return polygon;
}

QPolygonF star(QPointF at, double radius) {
  QPolygonF polygon;
  for (int i = 0; i < 10; ++i) {
    const double angle = std::numbers::pi * i / 5.0;
    const double r = i % 2 == 0 ? radius : radius * 0.45;
    polygon << at + QPointF(r * std::sin(angle), -r * std::cos(angle));
  }
  return polygon;
}

}  // namespace

QImage regionImage(const std::vector<std::size_t>& methods, const study::PlaneGrid& grid) {
  QImage image(grid.width, grid.height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  const int w = grid.width;
  const int h = grid.height;
  for (const std::size_t m : methods) {
    const std::vector<std::uint8_t> inside = study::regionMask(m, grid);
    const QColor& colour = methodStyles()[m].colour;
    const QRgb line = colour.rgba();
    for (int row = 0; row < h; ++row) {
      auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(row));
      const std::uint8_t* here = inside.data() + static_cast<std::size_t>(row) * w;
      for (int column = 0; column < w; ++column) {
        // A pixel is on the outline when it is inside and a neighbour is not (or the other way
        // round below and to the right), so the line is two pixels wide and hugs the boundary.
        const bool in = here[column] != 0;
        const bool edge = (column + 1 < w && (here[column + 1] != 0) != in) ||
                          (column > 0 && (here[column - 1] != 0) != in) ||
                          (row + 1 < h && (here[column + w] != 0) != in) ||
                          (row > 0 && (here[column - w] != 0) != in);
        if (edge && in)
          pixels[column] = line;
        else if (in)
          pixels[column] = over(pixels[column], colour, kRegionFillAlpha);
        else if (edge)
          pixels[column] = over(pixels[column], colour, 160);
      }
    }
  }
  return image;
}

void drawMethodMarker(QPainter& painter, std::size_t method, QPointF at, double size) {
  const MethodStyle& style = methodStyles()[method];
  painter.save();
  painter.setPen(QPen(style.colour, style.hollow ? 2.0 : 1.0));
  painter.setBrush(style.hollow ? QBrush(Qt::white) : QBrush(style.colour));
  const double r = size / 2.0;
  switch (style.shape) {
    case QScatterSeries::MarkerShapeRectangle:
      painter.drawRect(QRectF(at.x() - r, at.y() - r, size, size));
      break;
    case QScatterSeries::MarkerShapeTriangle:
      painter.drawPolygon(regularPolygon(at, r * 1.2, 3, 0.0));
      break;
    case QScatterSeries::MarkerShapeRotatedRectangle:
      painter.drawPolygon(regularPolygon(at, r * 1.3, 4, 0.0));
      break;
    case QScatterSeries::MarkerShapeStar:
      painter.drawPolygon(star(at, r * 1.5));
      break;
    case QScatterSeries::MarkerShapePentagon:
      painter.drawPolygon(regularPolygon(at, r * 1.15, 5, 0.0));
      break;
    default:
      painter.drawEllipse(at, r, r);
      break;
  }
  painter.restore();
}

}  // namespace kemi::lab
