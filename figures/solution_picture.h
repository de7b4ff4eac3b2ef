// The Solution picture from plain data: the part of the (x, y) plane shown, its mapping to
// pixels, the direction field of a slope function, and the drawing of field, curves, start and
// legend with one QPainter, shared by the window's view, the exports and `compare --chart`.
// The arithmetic is the figure layer's; these are its Qt-typed faces.
#pragma once

#include <QColor>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

#include "plot/figure/view.h"

class QPainter;

namespace kemi::lab {

using Slope = std::function<double(double, double)>;

// The part of the plane a picture shows.
struct ViewBox : figure::ViewBox {
  // Closer by `factor` (> 1 zooms in) about `anchor`, which keeps its place in the picture.
  ViewBox zoomedAbout(QPointF anchor, double factor) const;
  ViewBox movedBy(double dx, double dy) const;
  bool operator==(const ViewBox&) const = default;
};

// World to pixels of the plot rectangle, y upwards.
class ViewTransform {
 public:
  ViewTransform(const ViewBox& box, const QRectF& plot);
  QPointF toPixel(double x, double y) const;
  QPointF toWorld(QPointF pixel) const;
  const QRectF& plot() const { return plot_; }
  const figure::Transform& plain() const { return t_; }

 private:
  figure::Transform t_;
  QRectF plot_;
};

// The plot rectangle inside a picture of `area`: room for the tick labels left and below.
QRectF plotRectIn(const QRectF& area);

// Slope marks on a grid of columns x rows cell centres over the plot, each `length` pixels long,
// centred on its point and turned to the slope of f there as the picture shows it. A point where
// f is not finite gets no mark.
std::vector<QLineF> directionField(const Slope& f, const ViewTransform& t, int columns, int rows,
                                   double length);

// Cuts the segment a-b to `r`; false when nothing of it is inside. The painter would stroke the
// whole of a segment that runs far outside (a method running away), at a cost that grows with
// its length.
bool clipToRect(QPointF& a, QPointF& b, const QRectF& r);

inline constexpr int kFieldColumns = 25;
inline constexpr int kFieldRows = 18;

struct SolutionCurve {
  QString name;
  std::vector<QPointF> points;  // in the plane; a non-finite point breaks the line
  QColor colour;
  bool dashed = false;
  int method = -1;  // index into kMethods for the markers at the points, -1 for none
};

struct SolutionScene {
  QString title;
  std::vector<SolutionCurve> curves;  // the solution first, then the methods
  QPointF start;
};

// Draws axes with ticks, `field`, the curves, the start and the legend into `area`.
void drawSolution(QPainter& painter, const QRectF& area, const ViewBox& box,
                  const std::vector<QLineF>& field, const SolutionScene& scene);

// A box that shows the first curve (the solution, when there is one), the start, and the parts
// of the other curves near them, with a margin: a method that runs away is not allowed to squash
// the solution into a line.
ViewBox boxAround(const SolutionScene& scene);

}  // namespace kemi::lab
