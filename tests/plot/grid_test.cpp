// The grid bound: the accumulated 0.1 grid up to 1000 lines, counted coarser spacings beyond.
#include "plot/grid.h"

#include <gtest/gtest.h>

namespace kemi {
namespace {

struct GridCase {
  double extent;
  bool exact;
  double step;
  std::int64_t count;
};

class GridLinesTest : public ::testing::TestWithParam<GridCase> {};

TEST_P(GridLinesTest, ChoosesSpacingAndCount) {
  const GridLines got = gridLines(GetParam().extent);
  EXPECT_EQ(got.exact, GetParam().exact);
  EXPECT_EQ(got.step, GetParam().step);
  EXPECT_EQ(got.count, GetParam().count);
}

// The 1001st accumulated sum of 0.1 is 99.9999999999986: up to just below it the grid is the
// plain 0.1 one with 1000 lines, from it on 0.2 (500 lines).
INSTANTIATE_TEST_SUITE_P(
    Extents, GridLinesTest,
    ::testing::Values(GridCase{0.4 + 1e-7, true, 0.1, 5}, GridCase{0.3 + 1e-7, true, 0.1, 4},
                      GridCase{0.0, true, 0.1, 1}, GridCase{-0.5, true, 0.1, 0},
                      GridCase{99.9999999999985, true, 0.1, 1000},
                      GridCase{99.9999999999986, false, 0.2, 500}, GridCase{150, false, 0.2, 751},
                      GridCase{250, false, 0.5, 501}, GridCase{1e6, false, 2000, 501},
                      GridCase{1e17, false, 2e14, 501}));

TEST(GridLinesTest, LargestFloatRangeEndsWithinTheBound) {
  const GridLines got = gridLines(3.4e38);
  EXPECT_FALSE(got.exact);
  EXPECT_GT(got.count, 500);
  EXPECT_LE(got.count, 1000);
  EXPECT_LE(3.4e38, static_cast<double>(got.count) * got.step);
}

}  // namespace
}  // namespace kemi
