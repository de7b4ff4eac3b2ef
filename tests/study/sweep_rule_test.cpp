// The sweep's row rule alone: earlier rows and one level's point give the next row or the end.
// The exact value is 0 and y is minus the error, so each error is the one the case gives
// (an infinite one: the exact value is infinite).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "study/sweep_rule.h"

namespace kemi::study {
namespace {

struct Earlier {
  double error;
  bool stable;
};

struct RuleCase {
  const char* name;
  std::vector<Earlier> earlier;  // at N = 1, 2, 4, ...
  double error;                  // of the new level's point
  double h;                      // its step; the limit is 0.5
  std::int64_t failedStep;
  double order;     // expected; NaN: none
  bool row;         // a row is given
  const char* end;  // "" no end, "floor", or a piece of the cause
};

TEST(SweepRuleTest, GivesTheNextRowOrTheEnd) {
  const double none = std::nan("");
  const std::vector<RuleCase> cases{
      {"first row", {}, 0.5, 0.25, 0, none, true, ""},
      {"order two", {{0.5, true}}, 0.125, 0.25, 0, 2.0, true, ""},
      {"earlier unstable", {{0.5, false}}, 0.125, 0.25, 0, none, true, ""},
      {"this one unstable", {{0.5, true}}, 0.125, 1.0, 0, none, true, ""},
      {"exact zero", {{0.5, true}}, 0.0, 0.25, 0, none, true, ""},
      {"step left the range",
       {{0.5, true}},
       0.0,
       0.25,
       3,
       none,
       false,
       "at N = 2 step 3 left the range of a double"},
      {"exact beyond the range",
       {{0.5, true}},
       INFINITY,
       0.25,
       0,
       none,
       false,
       "the exact solution at x = 1 is beyond the range of a double"},
      {"third doubling without gain",
       {{1e-9, true}, {2e-9, true}, {3e-9, true}},
       2e-9,
       0.25,
       0,
       std::log2(3e-9 / 2e-9),
       true,
       "floor"},
      {"a gain starts the count again",
       {{1e-9, true}, {2e-9, true}, {5e-10, true}},
       2e-9,
       0.25,
       0,
       std::log2(5e-10 / 2e-9),
       true,
       ""},
      {"unstable doublings do not count",
       {{1e-9, true}, {2e-9, false}, {3e-9, false}},
       2e-9,
       0.25,
       0,
       none,
       true,
       ""},
  };
  const RowRuleContext context{3, 0.5, true, 0.0};
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<ConvergenceRow> earlier;
    for (const Earlier& e : c.earlier) {
      ConvergenceRow row;
      row.N = std::int64_t{1} << earlier.size();
      row.error = e.error;
      row.stable = e.stable;
      earlier.push_back(row);
    }
    const std::int64_t n = std::int64_t{1} << earlier.size();
    const bool infinite = std::isinf(c.error);
    const FinalPoint point{1.0, infinite ? 0.0 : -c.error, c.failedStep, false};
    const RowStep step = nextRow(context, earlier, {n, c.h, point, infinite ? c.error : 0.0});
    ASSERT_EQ(step.row.has_value(), c.row);
    if (c.row) {
      EXPECT_EQ(step.row->N, n);
      EXPECT_EQ(step.row->evaluations, 4 * n);
      EXPECT_EQ(step.row->stable, c.h <= 0.5);
      if (std::isnan(c.order))
        EXPECT_FALSE(step.row->hasOrder()) << step.row->observedOrder;
      else
        EXPECT_EQ(step.row->observedOrder, c.order);
    }
    const std::string end = c.end;
    ASSERT_EQ(step.end.has_value(), !end.empty());
    if (end == "floor") {
      EXPECT_TRUE(step.end->roundingFloor);
      EXPECT_EQ(step.end->lastN, n);
    } else if (!end.empty()) {
      EXPECT_FALSE(step.end->roundingFloor);
      EXPECT_EQ(step.end->lastN, earlier.back().N);
      EXPECT_NE(step.end->cause.find(end), std::string::npos) << step.end->cause;
    }
  }
}

}  // namespace
}  // namespace kemi::study
