// How each method looks in every figure: a colour from the Okabe-Ito palette, which readers
// with any common colour-vision deficiency can tell apart, a marker of its own and a line dash,
// so that a grey-scale print still separates the methods. No two methods share both marker and
// dash (RK4: filled diamond, solid; RK4G: open circle, long dashes).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/method_table.h"
#include "plot/figure/geometry.h"

namespace kemi::figure {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

enum class Marker { Circle, Square, Triangle, Diamond, Star, Pentagon };

struct MethodStyle {
  Rgb colour;
  Marker marker = Marker::Circle;
  bool hollow = false;         // drawn as an outline only, larger, beneath the filled markers
  std::vector<double> dashes;  // dash and gap lengths in pen widths; empty for a solid line
};

// In the order of kMethods.
const std::array<MethodStyle, kMethods.size()>& methodStyles();

// The one marker size of every figure, in pixels: the radius of the circle; the other shapes
// are scaled from it so that they look as large.
inline constexpr double kMarkerRadius = 4.0;
inline constexpr double kMarkerPen = 1.0;
inline constexpr double kHollowMarkerPen = 1.8;

// A marker's outline: a circle (`round`, centre and radius) or a closed polygon of `points`.
struct MarkerShape {
  bool round = false;
  Point centre;
  double radius = 0.0;
  Polyline points;
  double pen = kMarkerPen;
  bool filled = true;
  Rgb colour;
};

// The outline of `kind` centred at `at`, scaled from `radius`.
MarkerShape markerShape(Marker kind, Point at, double radius);
// Method `method`'s marker at `at`, with its pen, fill and colour. A hollow marker is a ring
// 1.35 times as wide, so a filled marker at the same place fits inside it and both show.
MarkerShape methodMarker(std::size_t method, Point at, double radius = kMarkerRadius);
// The order in which to draw the markers of `methods` at shared places: the hollow ones first,
// then the filled ones from the farthest-reaching down, so a smaller marker lies on a larger one
// and the larger one's corners still show around it.
std::vector<std::size_t> markerOrder(const std::vector<std::size_t>& methods);

}  // namespace kemi::figure
