// The range of a table, found in one pass that the processor can run four entries at a time.
#pragma once

#include <cstdint>
#include <span>

#include "core/table_ranges.h"

namespace kemi {

struct Extent {
  double lo;
  double hi;
  bool fits;  // every value lies within the single-precision range (a NaN does not)
};

// Widens [lo, hi] over table[0..last] exactly as the scan i = 0, 1, ..., last with the strict
// comparisons v > hi and v < lo would, down to which zero (+0 or -0) it keeps.
Extent tableExtent(std::span<const double> table, std::int64_t last, double lo, double hi);

// The same for a table whose own range, from its first entry on, is known: [lo, hi] widened
// over it as the scan would widen it. Every entry must be a number.
Extent widen(const Range& own, double lo, double hi);

}  // namespace kemi
