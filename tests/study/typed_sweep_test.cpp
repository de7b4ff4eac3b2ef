// A typed equation swept by several workers, each evaluating it with its own parser: the rows are
// those of one worker, bit for bit, as they are when the parsers share nothing. The
// ThreadSanitizer build (the tsan presets) runs this as the typed sweep on threads.
#include <gtest/gtest.h>

#include "study/convergence.h"
#include "study/text_table.h"

namespace kemi::study {
namespace {

TEST(TypedSweepTest, RowsOfThreeWorkersAreThoseOfOne) {
  // dy/dx = y cos x, y(0) = 1 (y = exp(sin x), not given): every method against a reference.
  const Problem problem{TypedEquation("y*cos(x)", ""), 0.0, 1.0, 2.0};
  ConvergenceSettings settings{0.0, 4096, {0, 1, 2, 3, 4, 5, 6}, 1};
  const TextTable one = convergenceText(runConvergence(problem, settings).rows);
  settings.workers = 3;
  const TextTable three = convergenceText(runConvergence(problem, settings).rows);
  EXPECT_EQ(three.rows, one.rows);
  EXPECT_GE(one.rows.size(), 7u * 8u);  // each method down to N = 128 at least
}

}  // namespace
}  // namespace kemi::study
