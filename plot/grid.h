// Where the grid lines of one direction go: every 0.1 by repeated addition for ordinary ranges,
// a coarser 1-2-5 spacing when that would take more lines than a plot can show.
#pragma once

#include <cstdint>

namespace kemi {

// The most grid lines drawn in one direction.
inline constexpr std::int64_t kMaxGridLines = 1000;

// The lines of one direction: at accumulated multiples of 0.1 when `step` is 0.1 and `exact`
// is set, otherwise at k * step for k = 0 .. count - 1.
struct GridLines {
  bool exact = true;
  double step = 0.1;
  std::int64_t count = 0;
};

// Lines from 0 up to `extent` (a line at g is drawn while g <= extent), with g advancing by
// repeated addition of 0.1 while that gives at most kMaxGridLines lines.
GridLines gridLines(double extent);

}  // namespace kemi
