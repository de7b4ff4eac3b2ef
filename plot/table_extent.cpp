// Four lanes, each a strict scan of every fourth entry, merged at the end. Values that compare
// equal are the same number except +0 and -0, so the lanes give the sequential scan's result
// unless the limit is a zero; then the first zero in table order decides, as it does in the scan.
#include "plot/table_extent.h"

#include <cfloat>
#include <cmath>
#include <cstddef>

namespace kemi {
namespace {

// One lane: a strict scan step over x. Every value lies between lo and hi except a NaN, which
// the probe catches: x * 0 is 0 for every finite x and NaN for a NaN or an infinity.
struct Lane {
  double lo, hi, probe;
  void take(double x) {
    hi = x > hi ? x : hi;
    lo = x < lo ? x : lo;
    probe = probe + x * 0.0;
  }
};

// The first zero in the table, which a scan of it keeps when its limit is zero.
double firstZero(const double* v, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (v[i] == 0.0) return v[i];
  return 0.0;
}

bool fitsFloat(double x) {
  return std::abs(x) <= static_cast<double>(FLT_MAX);
}

}  // namespace

Extent tableExtent(std::span<const double> table, std::int64_t last, double lo, double hi) {
  const std::size_t n = last < 0 ? 0 : static_cast<std::size_t>(last) + 1;
  if (n == 0) return {lo, hi, true};
  const double* v = table.data();
  // The lanes find the table's own range, which must fit a float; the start joins afterwards.
  Lane a{v[0], v[0], 0.0}, b = a, c = a, d = a;
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    a.take(v[i]);
    b.take(v[i + 1]);
    c.take(v[i + 2]);
    d.take(v[i + 3]);
  }
  for (; i < n; ++i) a.take(v[i]);
  Range own{a.lo, a.hi};
  double probe = a.probe;
  for (const Lane& k : {b, c, d}) {
    own.hi = k.hi > own.hi ? k.hi : own.hi;
    own.lo = k.lo < own.lo ? k.lo : own.lo;
    probe = probe + k.probe;
  }
  // Each lane may have kept a different zero; the scan keeps the first in table order.
  if (own.hi == 0.0) own.hi = firstZero(v, n);
  if (own.lo == 0.0) own.lo = firstZero(v, n);
  Extent e = widen(own, lo, hi);
  e.fits = e.fits && probe == 0.0;
  return e;
}

// A scan from [lo, hi] over the table keeps lo and hi unless the table goes beyond them, and
// then ends at the first entry that equals the table's own limit, which is where the table's
// own scan ends too.
Extent widen(const Range& own, double lo, double hi) {
  return {own.lo < lo ? own.lo : lo, own.hi > hi ? own.hi : hi,
          fitsFloat(own.lo) && fitsFloat(own.hi)};
}

}  // namespace kemi
