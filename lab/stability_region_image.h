// The pixels of the stability regions: each method's region {z : |R(z)| <= 1} over a grid of
// the complex plane, filled with the method's colour at a low opacity, so that overlapping
// regions stay visible, and outlined opaque where |R| - 1 changes sign between neighbours.
#pragma once

#include <QImage>
#include <QPainter>
#include <vector>

#include "stability_region.h"

namespace kemi::lab {

// Opacity of a region's fill, out of 255.
inline constexpr int kRegionFillAlpha = 44;

// A transparent image of grid.width x grid.height pixels with the methods' regions drawn into
// it, in the order given, each evaluated in one pass over the grid.
QImage regionImage(const std::vector<std::size_t>& methods, const study::PlaneGrid& grid);

// The method's marker shape (as in the charts) of `size` pixels centred at `at`.
void drawMethodMarker(QPainter& painter, std::size_t method, QPointF at, double size);

}  // namespace kemi::lab
