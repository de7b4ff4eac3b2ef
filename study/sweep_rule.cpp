// The row rule: the error and observed order of a level, and the two ways a method's sweep ends
// (a step or the exact value beyond the double range; three doublings within the stability
// limit that do not improve on the smallest error). Everything it needs of the past is in the
// earlier rows, so the same rows give the same answer however the levels were scheduled.
#include "study/sweep_rule.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "core/method_table.h"
#include "core/number_format.h"

namespace kemi::study {
namespace {

constexpr int kAheadMost = 8;

// A generous guess of the rounding floor after n steps: half an ulp of the value per step,
// growing like a random walk.
double roundingFloorGuess(double value, double n) {
  return 1.1e-16 * std::max(1.0, std::abs(value)) * std::sqrt(n);
}

MethodEnd endAfter(std::size_t method, std::span<const ConvergenceRow> rows, bool roundingFloor,
                   std::string cause) {
  return {method, rows.empty() ? 0 : rows.back().N, roundingFloor, std::move(cause)};
}

}  // namespace

// A few at first; as many as the error stays above a rounding floor (at most kAheadMost); only
// the next one once it falls no more. A method far from its floor (Euler) thus starts its
// largest tasks early, and one near it wastes little on tasks that an early stop drops.
int aheadFrom(double order, double size, double value, std::int64_t n) {
  if (!(order > 0.5)) return 1;
  int ahead = 1;
  for (int j = 1; j < kAheadMost; ++j) {
    const double predicted = size / std::exp2(order * j);
    if (predicted <= roundingFloorGuess(value, std::ldexp(static_cast<double>(n), j))) break;
    ahead = j + 1;
  }
  return ahead;
}

RowStep nextRow(const RowRuleContext& context, std::span<const ConvergenceRow> earlier,
                const LevelPoint& level) {
  RowStep step;
  const std::string at = "at N = " + std::to_string(level.n);
  if (level.point.failedStep != 0) {
    step.end = endAfter(context.method, earlier, false,
                        at + " step " + std::to_string(level.point.failedStep) +
                            " left the range of a double, so its sweep ends there");
    return step;
  }
  ConvergenceRow row;
  row.method = context.method;
  row.N = level.n;
  row.h = level.h;
  row.x = level.point.x;
  row.y = level.point.y;
  row.exact = level.exact;
  row.error = row.exact - row.y;
  if (!std::isfinite(row.error)) {
    step.end = endAfter(context.method, earlier, false,
                        at + " the exact solution at x = " + formatGeneral(row.x) +
                            " is beyond the range of a double, so its sweep ends there");
    return step;
  }
  row.observedOrder = std::nan("");
  row.evaluations = level.n * kMethods[context.method].evaluations;
  row.accuracy = context.accuracy;
  const double size = std::abs(row.error);
  row.resolved = context.exact || size > 10.0 * row.accuracy;
  row.stable = std::abs(row.h) <= context.stepLimit;
  step.ahead = kAheadFirst;
  if (!earlier.empty()) {
    const ConvergenceRow& before = earlier.back();
    const double order = std::log2(std::abs(before.error) / size);
    const bool measured = std::isfinite(order) && row.resolved && before.resolved;
    // An error that grows or falls with unstable steps says nothing of the method's order.
    if (measured && row.stable && before.stable) row.observedOrder = order;
    step.ahead = aheadFrom(measured ? order : std::nan(""), size, row.exact, row.N);
  }
  // Errors that grow while the step is beyond the stability limit show no rounding floor; only
  // doublings within it count towards the early stop.
  step.row = row;
  if (reachesRoundingFloor(
          earlier, row, [](const ConvergenceRow& r) { return std::abs(r.error); },
          [](const ConvergenceRow& r) { return r.stable; }))
    step.end = MethodEnd{context.method, row.N, true, {}};
  return step;
}

}  // namespace kemi::study
