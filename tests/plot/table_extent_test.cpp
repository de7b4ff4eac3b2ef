// The four-lane table scan, and widening by a range found while writing, give what the plain
// strict scan gives, signed zeros included.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "plot/table_extent.h"

namespace kemi {
namespace {

Extent sequential(const std::vector<double>& t, std::int64_t last, double lo, double hi) {
  bool fits = true;
  for (std::int64_t i = 0; i <= last; ++i) {
    const double v = t[static_cast<std::size_t>(i)];
    if (v > hi) hi = v;
    if (v < lo) lo = v;
    fits = fits && std::abs(v) <= FLT_MAX;
  }
  return {lo, hi, fits};
}

bool sameBits(double a, double b) {
  return (a == b && std::signbit(a) == std::signbit(b)) || (a != a && b != b);
}

// Small tables of values that tie (+0 and -0), exceed a float or are subnormal, each scanned
// from a start of its own, compared with the sequential scan: by the four-lane pass over the
// table, and by widening with the table's own range as the run finds it while writing.
TEST(TableExtentTest, MatchesTheSequentialScanOnRandomTables) {
  std::mt19937_64 rng(7);
  const double pool[] = {0.0, -0.0, 1.5, -2.25, 3e38, 4e38, -1e300, 1e-310, 7.0};
  for (int round = 0; round < 3000; ++round) {
    std::vector<double> t(rng() % 13 + 1);
    for (double& v : t) v = pool[rng() % std::size(pool)];
    const auto last = static_cast<std::int64_t>(rng() % t.size());
    const double start = pool[rng() % 4];
    Range own{t[0], t[0]};
    for (std::int64_t i = 1; i <= last; ++i) own.take(t[static_cast<std::size_t>(i)]);
    const Extent want = sequential(t, last, start, start);
    for (const Extent& got : {tableExtent(t, last, start, start), widen(own, start, start)}) {
      ASSERT_TRUE(sameBits(got.lo, want.lo)) << round;
      ASSERT_TRUE(sameBits(got.hi, want.hi)) << round;
      ASSERT_EQ(got.fits, want.fits) << round;
    }
  }
}

TEST(TableExtentTest, ANanDoesNotFitAndAnEmptyTableKeepsTheStart) {
  const std::vector<double> t{1.0, std::numeric_limits<double>::quiet_NaN(), -1.0, 2.0, 0.5};
  EXPECT_FALSE(tableExtent(t, 4, 0.0, 0.0).fits);
  EXPECT_TRUE(tableExtent(t, 0, 0.0, 0.0).fits);
  const Extent none = tableExtent(t, -1, -3.0, 4.0);
  EXPECT_EQ(none.lo, -3.0);
  EXPECT_EQ(none.hi, 4.0);
}

}  // namespace
}  // namespace kemi
