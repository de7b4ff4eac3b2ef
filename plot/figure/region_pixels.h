// The pixels of a stability region {z : |R(z)| <= 1}: the inside filled with the method's
// colour at a low opacity, so overlapping regions stay visible, and the outline opaque where
// the mask changes between neighbours. Pixels are premultiplied 0xAARRGGBB, row after row, as
// QImage's ARGB32_Premultiplied and (byte-swapped) a canvas's ImageData hold them.
#pragma once

#include <cstdint>
#include <span>

#include "plot/figure/style.h"

namespace kemi::figure {

// Opacity of a region's fill, out of 255.
inline constexpr int kRegionFillAlpha = 44;

// Draws the region given by `inside` (1 inside, 0 outside, row after row, width x height) over
// `pixels` of the same size. A pixel is on the outline when it is inside and a neighbour is not
// (or the other way round, drawn half transparent), so the line is two pixels wide and hugs the
// boundary.
void paintRegion(std::span<std::uint32_t> pixels, int width, int height,
                 std::span<const std::uint8_t> inside, Rgb colour);

}  // namespace kemi::figure
