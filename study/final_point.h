// A step loop that stores nothing: the run's loop body with the same arithmetic in the same
// order, keeping only the last point, so X(N), Y(N) are bit for bit what the run's tables hold
// while memory stays flat however large N is.
#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>

#include "method_table.h"

namespace kemi::study {

struct FinalPoint {
  double x = 0.0;
  double y = 0.0;
  std::int64_t failedStep = 0;  // first step whose point left the double range, 0 if none
  bool cancelled = false;       // stopped by the stop token before the last step
};

// Told the number of steps taken after every chunk of steps, for progress.
using StepsTaken = std::function<void(std::int64_t)>;

// N steps of h = (x1 - 0) / N of method kMethods[method] from (0, -1).
FinalPoint finalPoint(std::size_t method, double x1, std::int64_t n,
                      const std::stop_token& stop = {}, const StepsTaken& taken = {});

// How many steps the loop takes between two looks at the stop token.
inline constexpr std::int64_t kStepsBetweenStopChecks = std::int64_t{1} << 20;

}  // namespace kemi::study
