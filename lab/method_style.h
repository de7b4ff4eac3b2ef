// How each method looks in every chart: a colour from the Okabe-Ito palette, which readers with
// any common colour-vision deficiency can tell apart, a marker shape and a line dash of its own,
// so that a grey-scale print still separates the seven methods. No two methods share both marker
// and dash (RK4: filled diamond, solid; RK4G: open circle, long dashes).
#pragma once

#include <QColor>
#include <QList>
#include <QPen>
#include <QScatterSeries>
#include <array>
#include <cstddef>

namespace kemi::lab {

struct MethodStyle {
  QColor colour;
  QScatterSeries::MarkerShape shape;
  bool hollow;          // the seventh method repeats the circle, drawn open
  QList<qreal> dashes;  // dash and gap lengths in pen widths; empty for a solid line
};

// In the order of kMethods: Euler, EulerEP, EulerMP, RK4, RKF, RKM, RK4G. Okabe-Ito's yellow is
// left out: it is too faint on white.
inline const std::array<MethodStyle, 7>& methodStyles() {
  static const std::array<MethodStyle, 7> styles{{
      {QColor(0x00, 0x00, 0x00), QScatterSeries::MarkerShapeCircle, false, {}},
      {QColor(0xE6, 0x9F, 0x00), QScatterSeries::MarkerShapeRectangle, false, {4, 2}},
      {QColor(0x56, 0xB4, 0xE9), QScatterSeries::MarkerShapeTriangle, false, {1, 2}},
      {QColor(0x00, 0x9E, 0x73), QScatterSeries::MarkerShapeRotatedRectangle, false, {}},
      {QColor(0x00, 0x72, 0xB2), QScatterSeries::MarkerShapeStar, false, {4, 2, 1, 2}},
      {QColor(0xD5, 0x5E, 0x00), QScatterSeries::MarkerShapePentagon, false, {4, 2, 1, 2, 1, 2}},
      {QColor(0xCC, 0x79, 0xA7), QScatterSeries::MarkerShapeCircle, true, {8, 3}},
  }};
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
