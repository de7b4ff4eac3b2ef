// Tick marks and their labels. Linear ticks are whole multiples k of a step m * 10^e (m = 1, 2
// or 5), and each label is written from the whole numbers k * m and e, so a label is the
// decimal it stands for (0.3, never 0.30000000000000004). Log ticks are whole decades.
#pragma once

#include <cstdint>
#include <string>

namespace kemi::figure {

// How a step is chosen from the raw step span / count: the 1-2-5 step nearest to it, or the
// smallest one not below it (so at most `count` intervals fit in the span).
enum class TickRounding { Nearest, AtLeast };

struct Ticks {
  std::int64_t first = 0;  // the ticks are k * mantissa * 10^exponent, k = first..last
  std::int64_t last = -1;
  int mantissa = 1;
  int exponent = 0;

  double value(std::int64_t k) const;
  // Every label of an axis with the same places (0.5, 1.0, 1.5); trimmed: without trailing
  // zeros (0.5, 1, 1.5).
  std::string label(std::int64_t k) const;
  std::string trimmedLabel(std::int64_t k) const;
  std::int64_t count() const { return last >= first ? last - first + 1 : 0; }
};

// The ticks inside [lo, hi] for about `count` intervals; none for an empty or infinite span.
Ticks linearTicks(double lo, double hi, double count, TickRounding rounding);

// Decades 10^k for k = first, first + every, ... up to last inside [lo, hi] (lo > 0), with
// `every` the least whole number that keeps the labels at most `mostLabels`.
struct LogTicks {
  int first = 0;
  int last = -1;
  int every = 1;
  double value(int k) const;
  std::string label(int k) const;  // as C's "%.0e": 1e-05, 1e+00, 1e+03
};

LogTicks logTicks(double lo, double hi, int mostLabels);

}  // namespace kemi::figure
