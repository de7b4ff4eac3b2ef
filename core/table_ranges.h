// The ranges of the numerical table, found by the steps as they write it.
#pragma once

#include <cstdint>

namespace kemi {

// The range of a table as the scan i = 0, 1, 2, ... with the strict comparisons v < lo and
// v > hi finds it, starting from the first entry; so of two equal limits (+0 and -0) it keeps
// the one that comes first.
struct Range {
  double lo = 0.0;
  double hi = 0.0;
  void take(double v) {
    lo = v < lo ? v : lo;
    hi = v > hi ? v : hi;
  }
};

// The ranges of X[0..last] and Y[0..last], found as the steps wrote them: the plot needs them
// before it draws, and a second pass over tables of millions of entries would cost about as
// much as drawing them.
struct TableRanges {
  std::int64_t last = -1;
  Range x;
  Range y;
};

}  // namespace kemi
