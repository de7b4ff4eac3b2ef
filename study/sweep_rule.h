// The numerical rule of a convergence sweep, apart from any scheduling: a method's earlier rows
// and the final point of its next level give that level's row, or the end of its sweep. A level
// is the sweep's own key (N = 2^k for fixed steps); the rule sees only what its point says.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "study/convergence.h"
#include "study/final_point.h"

namespace kemi::study {

// What stays fixed over one method's sweep.
struct RowRuleContext {
  std::size_t method = 0;
  double stepLimit = 0.0;  // |h| beyond it is unstable; no rounding floor is looked for there
  bool exact = true;       // errors against the exact solution; else against a reference
  double accuracy = 0.0;   // the reference's absolute accuracy
};

// One level's final point and what it was taken with.
struct LevelPoint {
  std::int64_t n = 0;  // steps taken
  double h = 0.0;      // their size
  FinalPoint point;    // where they ended
  double exact = 0.0;  // the exact (or reference) solution at point.x; unread if a step failed
};

struct RowStep {
  std::optional<ConvergenceRow> row;  // the level's row, when its point gives one
  std::optional<MethodEnd> end;       // the method's sweep ends at this level
  int ahead = 0;  // levels past this one worth running now: steers speculation, not the rows
};

// How many doublings without a better error end a method's sweep (the rounding floor).
inline constexpr int kDoublingsWithoutGain = 3;
// Levels a method may run ahead before its orders are known.
inline constexpr int kAheadFirst = 4;

// Doublings worth running past a row of N steps whose error `size` falls at `order`, the
// solution there being about `value`.
int aheadFrom(double order, double size, double value, std::int64_t n);

RowStep nextRow(const RowRuleContext& context, std::span<const ConvergenceRow> earlier,
                const LevelPoint& level);

// Whether `row`, after `earlier`, ends kDoublingsWithoutGain doublings in a row that do not
// improve on the smallest error before them: the rounding floor. A row that `counts` refuses
// (steps that may amplify, whose errors grow for another reason) starts the count again. The
// rule of one equation's rows and of a system's; `size` is a row's error as a magnitude.
template <class Row, class Size, class Counts>
bool reachesRoundingFloor(std::span<const Row> earlier, const Row& row, Size&& size,
                          Counts&& counts) {
  double best = 0.0;
  int withoutGain = 0;
  bool first = true;
  const auto count = [&](const Row& r) {
    const double e = size(r);
    const bool gain = first || e < best;
    best = gain ? e : best;
    withoutGain = gain || !counts(r) ? 0 : withoutGain + 1;
    first = false;
  };
  for (const Row& r : earlier) count(r);
  count(row);
  return withoutGain >= kDoublingsWithoutGain;
}

}  // namespace kemi::study
