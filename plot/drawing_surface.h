// The three drawing operations the solution plot needs from whatever shows it.
#pragma once

#include <cstdint>
#include <optional>

namespace kemi {

// A 24-bit colour, 0xRRGGBB.
using Rgb = std::uint32_t;

class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  // Erases everything; the surface shows its background colour.
  virtual void Clear() = 0;
  // From now on x = left falls on the left edge, x = right on the right edge, y = top on the top
  // edge and y = bottom on the bottom edge.
  virtual void SetScale(double left, double top, double right, double bottom) = 0;
  // A straight line in user coordinates, in `colour` or, without one, the foreground colour.
  virtual void DrawLine(float xa, float ya, float xb, float yb,
                        std::optional<Rgb> colour = std::nullopt) = 0;
};

}  // namespace kemi
