// How the raster turns a line into pixels: in every pixel column the line crosses, it lights
// the rows from the lowest to the highest point of the line within that column. A polyline that
// stays in one column therefore lights one unbroken run of rows, its lowest to its highest
// point, so many segments in one column can be merged into one run without changing a pixel.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kemi {

// Calls f(column, low, high) for each column of [0, width) that the segment from (ax, ay) to
// (bx, by), in device pixels, crosses, in the direction from a to b. Points on a column's edge
// belong to both columns. Returns false when a coordinate is not finite.
template <class F>
bool forEachColumnSpan(double ax, double ay, double bx, double by, int width, F&& f) {
  if (!(std::isfinite(ax) && std::isfinite(ay) && std::isfinite(bx) && std::isfinite(by)))
    return false;
  const double first = std::floor(ax);
  const double last = std::floor(bx);
  if (first == last) {
    if (first >= 0 && first < width) f(static_cast<int>(first), std::min(ay, by), std::max(ay, by));
    return true;
  }
  const double slope = (by - ay) / (bx - ax);
  const auto yAt = [&](double x) { return x == ax ? ay : x == bx ? by : ay + (x - ax) * slope; };
  const double lo = std::min(ax, bx);
  const double hi = std::max(ax, bx);
  const int step = last > first ? 1 : -1;
  const double from = step > 0 ? std::max(first, 0.0) : std::min(first, width - 1.0);
  const double to = step > 0 ? std::min(last, width - 1.0) : std::max(last, 0.0);
  if ((to - from) * step < 0) return true;
  for (int c = static_cast<int>(from);; c += step) {
    const double y1 = yAt(std::max(lo, static_cast<double>(c)));
    const double y2 = yAt(std::min(hi, c + 1.0));
    f(c, std::min(y1, y2), std::max(y1, y2));
    if (c == static_cast<int>(to)) break;
  }
  return true;
}

// Lights the rows floor(low) to floor(high) of `column` in an image of `width` x `height`
// pixels stored row after row, as far as they lie in the image.
inline void fillColumnSpan(std::uint32_t* pixels, int width, int height, int column, double low,
                           double high, std::uint32_t colour) {
  const double top = std::max(std::floor(low), 0.0);
  const double bottom = std::min(std::floor(high), height - 1.0);
  if (column < 0 || column >= width || top > bottom) return;
  for (int r = static_cast<int>(top); r <= static_cast<int>(bottom); ++r)
    pixels[static_cast<std::size_t>(r) * static_cast<std::size_t>(width) + column] = colour;
}

}  // namespace kemi
