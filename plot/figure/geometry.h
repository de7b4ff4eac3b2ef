// The plain geometry every figure is built from: points and rectangles in pixels or in the
// plane, with y downwards in pixels (as every painter has it) and upwards in the plane.
#pragma once

#include <vector>

namespace kemi::figure {

struct Point {
  double x = 0.0;
  double y = 0.0;
  bool operator==(const Point&) const = default;
};

struct Segment {
  Point a;
  Point b;
  bool operator==(const Segment&) const = default;
};

// An axis-parallel rectangle: its top-left corner and its size.
struct Rect {
  double left = 0.0;
  double top = 0.0;
  double width = 0.0;
  double height = 0.0;

  double right() const { return left + width; }
  double bottom() const { return top + height; }
  Point centre() const { return {left + width / 2.0, top + height / 2.0}; }
  bool contains(Point p) const {
    return p.x >= left && p.x <= right() && p.y >= top && p.y <= bottom();
  }
  // Moved edges: positive values move left and top rightwards and down, as QRectF::adjusted.
  Rect adjusted(double dl, double dt, double dr, double db) const {
    return {left + dl, top + dt, width - dl + dr, height - dt + db};
  }
  bool operator==(const Rect&) const = default;
};

using Polyline = std::vector<Point>;

}  // namespace kemi::figure
