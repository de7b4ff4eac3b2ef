// How each method looks in every chart: a colour from the Okabe-Ito palette, which readers with
// any common colour-vision deficiency can tell apart, and a marker shape of its own, so that a
// grey-scale print still separates the seven methods.
#pragma once

#include <QColor>
#include <QScatterSeries>
#include <array>
#include <cstddef>

namespace kemi::lab {

struct MethodStyle {
  QColor colour;
  QScatterSeries::MarkerShape shape;
  bool hollow;  // the seventh method repeats the circle, drawn open
};

// In the order of kMethods: Euler, EulerEP, EulerMP, RK4, RKF, RKM, RK4G. Okabe-Ito's yellow is
// left out: it is too faint on white.
inline const std::array<MethodStyle, 7>& methodStyles() {
  static const std::array<MethodStyle, 7> styles{{
      {QColor(0x00, 0x00, 0x00), QScatterSeries::MarkerShapeCircle, false},
      {QColor(0xE6, 0x9F, 0x00), QScatterSeries::MarkerShapeRectangle, false},
      {QColor(0x56, 0xB4, 0xE9), QScatterSeries::MarkerShapeTriangle, false},
      {QColor(0x00, 0x9E, 0x73), QScatterSeries::MarkerShapeRotatedRectangle, false},
      {QColor(0x00, 0x72, 0xB2), QScatterSeries::MarkerShapeStar, false},
      {QColor(0xD5, 0x5E, 0x00), QScatterSeries::MarkerShapePentagon, false},
      {QColor(0xCC, 0x79, 0xA7), QScatterSeries::MarkerShapeCircle, true},
  }};
  return styles;
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
