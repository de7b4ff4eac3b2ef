// The one Qt renderer of the figure layer: every picture paints its axes, markers, lines and
// legend texts through these, so a method looks the same in each.
#pragma once

#include <QColor>
#include <QLineF>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

#include "plot/figure/geometry.h"
#include "plot/figure/legend.h"
#include "plot/figure/style.h"
#include "plot/figure/ticks.h"
#include "plot/figure/view.h"

class QPainter;

namespace kemi::figures {

inline QPointF toQt(figure::Point p) {
  return {p.x, p.y};
}
inline QRectF toQt(const figure::Rect& r) {
  return {r.left, r.top, r.width, r.height};
}
inline QColor toQt(figure::Rgb c) {
  return {c.r, c.g, c.b};
}
inline figure::Point fromQt(QPointF p) {
  return {p.x(), p.y()};
}
inline figure::Rect fromQt(const QRectF& r) {
  return {r.left(), r.top(), r.width(), r.height()};
}

inline const QColor kGridColour{0xE4, 0xE4, 0xE4};
inline const QColor kFrameColour{0x40, 0x40, 0x40};

// Thin lines across the plot at each tick.
void drawGrid(QPainter& painter, const figure::Transform& t, const figure::Ticks& xs,
              const figure::Ticks& ys);

// The plot's frame, outward tick marks `tickLength` long (none at 0) and the tick labels below
// and left of the plot, `trimmed` (1, 1.5) or with one number of places per axis (1.0, 1.5).
void drawAxes(QPainter& painter, const figure::Transform& t, const figure::Ticks& xs,
              const figure::Ticks& ys, double tickLength, bool trimmed);

// `text` in bold, centred in `box`.
void drawTitle(QPainter& painter, const QRectF& box, const QString& text);

// A marker as the layer shapes it.
void drawMarker(QPainter& painter, const figure::MarkerShape& shape);
// Method `method`'s marker at `at`, at the one marker size.
void drawMethodMarker(QPainter& painter, std::size_t method, QPointF at);

// The pen of the method's lines: its colour and its dash.
QPen methodPen(std::size_t method, double width);

// Polylines in pixels, with the painter's pen.
void drawRuns(QPainter& painter, const std::vector<figure::Polyline>& runs);
// Segments in one drawLines call.
std::vector<QLineF> toLines(const std::vector<figure::Segment>& segments);

// A legend entry's text, left at the item's text place and vertically centred on its line.
void drawLegendText(QPainter& painter, const figure::LegendItem& item, const QString& text);

}  // namespace kemi::figures
