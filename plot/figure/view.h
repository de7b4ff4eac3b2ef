// The part of the plane a figure shows and its mapping to the pixels of the plot rectangle:
// linear or log10 on each axis, y upwards, with the pan and zoom arithmetic of a view that the
// user moves with the mouse and keys.
#pragma once

#include "plot/figure/geometry.h"

namespace kemi::figure {

enum class Scale { Linear, Log10 };

struct ViewBox {
  double xMin = 0.0;
  double xMax = 1.0;
  double yMin = 0.0;
  double yMax = 1.0;

  // Closer by `factor` (> 1 zooms in) about `anchor`, which keeps its place in the picture.
  ViewBox zoomedAbout(Point anchor, double factor) const;
  ViewBox movedBy(double dx, double dy) const;
  // Both spans positive and finite.
  bool usable() const;
  bool operator==(const ViewBox&) const = default;
};

// Plane to pixels of `plot` and back. On a log axis the box holds the values themselves
// (positive), and the pixels are linear in their logarithms.
class Transform {
 public:
  Transform(const ViewBox& box, const Rect& plot, Scale xScale = Scale::Linear,
            Scale yScale = Scale::Linear);
  // Far-off points are held to a band around the plot (|pixel| <= 1e12), so every pixel
  // coordinate is a modest finite number; drawing cuts segments to the plot first.
  Point toPixel(double x, double y) const;
  Point toPixel(Point p) const { return toPixel(p.x, p.y); }
  Point toWorld(Point pixel) const;
  // Pixels per unit of x (of log10 x on a log axis) rightwards, and of y upwards.
  double xPixelsPerUnit() const { return sx_; }
  double yPixelsPerUnit() const { return sy_; }
  const Rect& plot() const { return plot_; }
  const ViewBox& box() const { return box_; }

 private:
  ViewBox box_;
  Rect plot_;
  Scale xScale_;
  Scale yScale_;
  double x0_;  // the box's left and bottom edge in axis units (the logarithm on a log axis)
  double y0_;
  double sx_;
  double sy_;
};

// The box widened along one axis about its centre so that one unit spans as many pixels
// across as up in `plot`: a circle in the plane stays round.
ViewBox equalScale(const ViewBox& box, const Rect& plot);

}  // namespace kemi::figure
