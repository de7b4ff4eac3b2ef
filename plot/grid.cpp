// The grid bound. The plain loop "g := g + 0.1 while g <= extent" has one line per 0.1 of range
// and never ends once g + 0.1 == g, so it only runs (counting) for ranges small enough that it
// advances and gives at most kMaxGridLines lines; larger ranges get the smallest 1-2-5 multiple
// of 0.1 whose line count, computed rather than looped for, fits.
#include "plot/grid.h"

#include <cmath>

namespace kemi {
namespace {

// Beyond this extent the 0.1 grid needs more than kMaxGridLines lines in any case; below it the
// accumulating loop surely advances.
constexpr double kCountableExtent = 2.0 * 0.1 * static_cast<double>(kMaxGridLines);

std::int64_t countAccumulated(double extent) {
  std::int64_t count = 0;
  for (double g = 0.0; g <= extent && count <= kMaxGridLines; g = g + 0.1) ++count;
  return count;
}

}  // namespace

GridLines gridLines(double extent) {
  if (!(extent >= 0.0)) return {true, 0.1, 0};
  if (extent <= kCountableExtent) {
    const std::int64_t count = countAccumulated(extent);
    if (count <= kMaxGridLines) return {true, 0.1, count};
  }
  // 0.2, 0.5, 1, 2, 5, 10, ...: the multiplier of 0.1 grows by 2, 2.5, 2 in turn, so every
  // pass at least doubles it and the search ends for any finite extent.
  static constexpr double kFactors[] = {2.0, 2.5, 2.0};
  double multiple = 1.0;
  for (int i = 0;; ++i) {
    multiple = multiple * kFactors[i % 3];
    const double step = multiple / 10;  // the nearest double to the decimal spacing
    const double lines = std::floor(extent / step) + 1.0;
    if (lines <= static_cast<double>(kMaxGridLines)) {
      return {false, step, static_cast<std::int64_t>(lines)};
    }
    if (!std::isfinite(step)) return {false, step, 0};
  }
}

}  // namespace kemi
