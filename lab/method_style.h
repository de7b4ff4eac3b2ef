// How each method looks in the Qt Charts charts: the figure layer's style (figure/style.h:
// colour, marker, dash) in Qt Charts' terms, so the charts and the painted pictures agree.
#pragma once

#include <QColor>
#include <QList>
#include <QPen>
#include <QScatterSeries>
#include <array>
#include <cstddef>

#include "core/method_table.h"
#include "plot/figure/style.h"

namespace kemi::lab {

struct MethodStyle {
  QColor colour;
  QScatterSeries::MarkerShape shape;
  bool hollow;          // drawn open
  QList<qreal> dashes;  // dash and gap lengths in pen widths; empty for a solid line
};

inline QScatterSeries::MarkerShape seriesShape(figure::Marker marker) {
  switch (marker) {
    case figure::Marker::Square:
      return QScatterSeries::MarkerShapeRectangle;
    case figure::Marker::Triangle:
      return QScatterSeries::MarkerShapeTriangle;
    case figure::Marker::Diamond:
      return QScatterSeries::MarkerShapeRotatedRectangle;
    case figure::Marker::Star:
      return QScatterSeries::MarkerShapeStar;
    case figure::Marker::Pentagon:
      return QScatterSeries::MarkerShapePentagon;
    case figure::Marker::Circle:
      break;
  }
  return QScatterSeries::MarkerShapeCircle;
}

// In the order of kMethods.
inline const std::array<MethodStyle, kMethods.size()>& methodStyles() {
  static const std::array<MethodStyle, kMethods.size()> styles = [] {
    std::array<MethodStyle, kMethods.size()> all{};
    for (std::size_t m = 0; m < all.size(); ++m) {
      const figure::MethodStyle& s = figure::methodStyles()[m];
      all[m] = {QColor(s.colour.r, s.colour.g, s.colour.b), seriesShape(s.marker), s.hollow,
                QList<qreal>(s.dashes.begin(), s.dashes.end())};
    }
    return all;
  }();
  return styles;
}

// The pen of the method's lines: its colour and dash.
inline QPen linePen(std::size_t method) {
  const MethodStyle& style = methodStyles()[method];
  QPen pen(style.colour, 1.5);
  if (!style.dashes.isEmpty()) pen.setDashPattern(style.dashes);
  return pen;
}

// Gives a marker series the method's colour and shape.
inline void styleMarkers(QScatterSeries* series, std::size_t method) {
  const MethodStyle& style = methodStyles()[method];
  series->setMarkerShape(style.shape);
  series->setMarkerSize(style.shape == QScatterSeries::MarkerShapeStar ? 13.0 : 9.0);
  series->setColor(style.hollow ? QColor(Qt::transparent) : style.colour);
  series->setBorderColor(style.colour);
  QPen pen(style.colour);
  pen.setWidthF(style.hollow ? 2.0 : 1.0);
  series->setPen(pen);
}

}  // namespace kemi::lab
