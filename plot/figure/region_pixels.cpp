// Region pixels, blended by hand: a painter call per pixel would cost more than R itself.
#include "plot/figure/region_pixels.h"

namespace kemi::figure {
namespace {

std::uint32_t argb(int a, int r, int g, int b) {
  return (static_cast<std::uint32_t>(a) << 24) | (static_cast<std::uint32_t>(r) << 16) |
         (static_cast<std::uint32_t>(g) << 8) | static_cast<std::uint32_t>(b);
}

// `colour` at `alpha` over the premultiplied pixel `below`.
std::uint32_t over(std::uint32_t below, Rgb colour, int alpha) {
  const auto blend = [alpha](int top, std::uint32_t under) {
    return (top * alpha + static_cast<int>(under & 0xFFu) * (255 - alpha)) / 255;
  };
  return argb(blend(255, below >> 24), blend(colour.r, below >> 16), blend(colour.g, below >> 8),
              blend(colour.b, below));
}

}  // namespace

void paintRegion(std::span<std::uint32_t> pixels, int width, int height,
                 std::span<const std::uint8_t> inside, Rgb colour) {
  const std::uint32_t line = argb(255, colour.r, colour.g, colour.b);
  const int w = width;
  for (int row = 0; row < height; ++row) {
    std::uint32_t* out = pixels.data() + static_cast<std::size_t>(row) * w;
    const std::uint8_t* here = inside.data() + static_cast<std::size_t>(row) * w;
    for (int column = 0; column < w; ++column) {
      const bool in = here[column] != 0;
      const bool edge = (column + 1 < w && (here[column + 1] != 0) != in) ||
                        (column > 0 && (here[column - 1] != 0) != in) ||
                        (row + 1 < height && (here[column + w] != 0) != in) ||
                        (row > 0 && (here[column - w] != 0) != in);
      if (edge && in)
        out[column] = line;
      else if (in)
        out[column] = over(out[column], colour, kRegionFillAlpha);
      else if (edge)
        out[column] = over(out[column], colour, 160);
    }
  }
}

}  // namespace kemi::figure
