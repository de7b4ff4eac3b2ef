// The methods' styles and the geometry of their markers, shared by every picture.
#include "plot/figure/style.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kemi::figure {
namespace {

Polyline regularPolygon(Point at, double radius, int corners) {
  Polyline points;
  for (int i = 0; i < corners; ++i) {
    const double angle = 2.0 * std::numbers::pi * i / corners;
    points.push_back({at.x + radius * std::sin(angle), at.y - radius * std::cos(angle)});
  }
  return points;
}

Polyline star(Point at, double radius) {
  Polyline points;
  for (int i = 0; i < 10; ++i) {
    const double angle = std::numbers::pi * i / 5.0;
    const double r = i % 2 == 0 ? radius : radius * 0.45;
    points.push_back({at.x + r * std::sin(angle), at.y - r * std::cos(angle)});
  }
  return points;
}

}  // namespace

// Okabe-Ito's yellow is left out: it is too faint on white.
const std::array<MethodStyle, kMethods.size()>& methodStyles() {
  static const std::array<MethodStyle, kMethods.size()> styles{{
      {{0x00, 0x00, 0x00}, Marker::Circle, false, {}},
      {{0xE6, 0x9F, 0x00}, Marker::Square, false, {4, 2}},
      {{0x56, 0xB4, 0xE9}, Marker::Triangle, false, {1, 2}},
      {{0x00, 0x9E, 0x73}, Marker::Diamond, false, {}},
      {{0x00, 0x72, 0xB2}, Marker::Star, false, {4, 2, 1, 2}},
      {{0xD5, 0x5E, 0x00}, Marker::Pentagon, false, {4, 2, 1, 2, 1, 2}},
      {{0xCC, 0x79, 0xA7}, Marker::Circle, true, {8, 3}},
  }};
  return styles;
}

// The factors make the shapes look as large as the circle: a polygon's corners reach further
// out than its edges, a star's arms further still.
MarkerShape markerShape(Marker kind, Point at, double radius) {
  MarkerShape shape;
  shape.centre = at;
  shape.radius = radius;
  switch (kind) {
    case Marker::Circle:
      shape.round = true;
      break;
    case Marker::Square:
      shape.points = {{at.x - radius, at.y - radius},
                      {at.x + radius, at.y - radius},
                      {at.x + radius, at.y + radius},
                      {at.x - radius, at.y + radius}};
      break;
    case Marker::Triangle:
      shape.points = regularPolygon(at, radius * 1.2, 3);
      break;
    case Marker::Diamond:
      shape.points = regularPolygon(at, radius * 1.3, 4);
      break;
    case Marker::Star:
      shape.points = star(at, radius * 1.5);
      break;
    case Marker::Pentagon:
      shape.points = regularPolygon(at, radius * 1.15, 5);
      break;
  }
  return shape;
}

MarkerShape methodMarker(std::size_t method, Point at, double radius) {
  const MethodStyle& style = methodStyles()[method];
  MarkerShape shape = markerShape(style.marker, at, style.hollow ? radius * 1.35 : radius);
  shape.colour = style.colour;
  shape.filled = !style.hollow;
  shape.pen = style.hollow ? kHollowMarkerPen : kMarkerPen;
  return shape;
}

// How far a marker of unit radius reaches from its centre.
double reach(std::size_t method) {
  const MethodStyle& style = methodStyles()[method];
  const MarkerShape shape = markerShape(style.marker, {0.0, 0.0}, style.hollow ? 1.35 : 1.0);
  double far = shape.round ? shape.radius : 0.0;
  for (const Point& p : shape.points) far = std::max(far, std::hypot(p.x, p.y));
  return far;
}

std::vector<std::size_t> markerOrder(const std::vector<std::size_t>& methods) {
  std::vector<std::size_t> order = methods;
  std::stable_sort(order.begin(), order.end(), [](std::size_t a, std::size_t b) {
    const bool hollowA = methodStyles()[a].hollow;
    const bool hollowB = methodStyles()[b].hollow;
    if (hollowA != hollowB) return hollowA;
    return reach(a) > reach(b);
  });
  return order;
}

}  // namespace kemi::figure
