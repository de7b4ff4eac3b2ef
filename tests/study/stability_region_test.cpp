// Stability regions: R(z) from the methods' own formulas in complex arithmetic must be the
// exponential to each method's order, the real-axis amplification on the negative reals, and
// its region must leave the negative real axis exactly at the real-axis stability limit.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "core/method_table.h"
#include "study/stability.h"
#include "study/stability_region.h"

namespace kemi::study {
namespace {

// Methods with as many stages as their order have R(z) = 1 + z + ... + z^p / p!; every method
// has R(z) = e^z + O(z^(p+1)), so the remainder divided by |z|^(p+1) stays bounded as z -> 0
// and is clearly not 0 (none of them is of a higher order than listed).
TEST(StabilityRegionTest, RIsTheExponentialToEachMethodsOrder) {
  const Complex directions[] = {{1, 0}, {0, 1}, {-0.6, 0.8}, {-1, -1}};
  for (std::size_t m = 0; m < kMethods.size(); ++m) {
    const int p = kMethods[m].order;
    SCOPED_TRACE(std::string(kMethods[m].id));
    for (const Complex d : directions) {
      const Complex z = 0.01 * d;
      const double ratio =
          std::abs(stabilityFunction(m, z) - std::exp(z)) / std::pow(0.01 * std::abs(d), p + 1);
      EXPECT_GT(ratio, 1e-6);
      EXPECT_LT(ratio, 1.0);
    }
    if (kMethods[m].evaluations != p) continue;
    const Complex z(-0.7, 1.9);
    Complex taylor = 0.0, term = 1.0;
    for (int k = 0; k <= p; ++k) taylor += term, term *= z / double(k + 1);
    EXPECT_NEAR(std::abs(stabilityFunction(m, z) - taylor), 0.0, 1e-14);
  }
}

// On the negative real axis R(-h) is the amplification the real-axis chart shows, computed there
// through f1 in real arithmetic; the region's crossing of that axis, found on a row of pixels, is
// the real-axis limit to within a pixel, and |R| changes sides of 1 right at the limit.
TEST(StabilityRegionTest, CrossesTheNegativeRealAxisAtTheStabilityLimit) {
  PlaneGrid axis{-4.0, 0.0, -1e-3, 1e-3, 4000, 1};
  const double pixel = (axis.reMax - axis.reMin) / axis.width;
  for (std::size_t m = 0; m < kMethods.size(); ++m) {
    SCOPED_TRACE(std::string(kMethods[m].id));
    for (const double h : {0.125, 1.0, 2.0, 2.7, 3.5}) {
      const Complex r = stabilityFunction(m, {-h, 0.0});
      EXPECT_NEAR(r.real(), amplification(m, h), 1e-14 * std::max(1.0, std::abs(r.real())));
      EXPECT_EQ(r.imag(), 0.0);
    }
    const double limit = stabilityLimit(m);
    EXPECT_TRUE(stableAt(m, {-limit, 0.0}));
    EXPECT_FALSE(stableAt(m, {-(limit + 2e-9), 0.0}));

    const std::vector<std::uint8_t> mask = regionMask(m, axis);
    int column = axis.width - 1;
    while (column >= 0 && mask[static_cast<std::size_t>(column)] != 0) --column;
    ASSERT_GE(column, 0) << "the region reaches past the grid";
    const double crossing = axis.at(column, 0).real() + pixel / 2.0;
    EXPECT_NEAR(crossing, -limit, pixel);
  }
}

}  // namespace
}  // namespace kemi::study
