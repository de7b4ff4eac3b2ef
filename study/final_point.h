// The chunked step loop that stores nothing: the run's loop body with the same arithmetic in the
// same order, keeping only the last point, so X(N), Y(N) are bit for bit what the run's tables
// hold while memory stays flat however large N is. Sweeps take their final points with it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <stop_token>

#include "core/step_loop.h"

namespace kemi::study {

template <class V>
struct FinalPointOf {
  double x = 0.0;
  V y{};
  std::int64_t failedStep = 0;  // first step whose point left the double range, 0 if none
  bool cancelled = false;       // stopped by the stop token before the last step
};
using FinalPoint = FinalPointOf<double>;

// Told the number of steps taken after every chunk of steps, for progress.
using StepsTaken = std::function<void(std::int64_t)>;

// How many steps the loop takes between two looks at the stop token.
inline constexpr std::int64_t kStepsBetweenStopChecks = std::int64_t{1} << 20;

// n steps of size h with `step` from (x0, y0). The steps are taken in chunks so that a sweep of
// a billion steps notices a stop request quickly; the point carries over from chunk to chunk, so
// the arithmetic is that of one loop. The point lives in locals, not in the result: the result's
// memory is the caller's, and the compiler would store to it and load from it on every step.
template <class Step, class V>
FinalPointOf<V> finalSteps(const Step& step, double x0, V y0, double h, std::int64_t n,
                           const std::stop_token& stop, const StepsTaken& taken) {
  double x = x0;
  V y = y0;
  for (std::int64_t first = 1; first <= n; first += kStepsBetweenStopChecks) {
    if (stop.stop_requested()) return {x, y, 0, true};
    const std::int64_t last = std::min(n, first + kStepsBetweenStopChecks - 1);
    const std::int64_t failed =
        takeSteps(step, x, y, first, last, h, [](std::int64_t, double, const V&) {});
    if (failed != 0) return {x, y, failed, false};
    if (taken) taken(last);
  }
  return {x, y, 0, false};
}

}  // namespace kemi::study
