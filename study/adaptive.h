// An adaptive run: one method with a step-size controller driven by the step's error estimate,
// every attempt kept with its estimate beside the true local error.
#pragma once

#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "study/problem.h"

namespace kemi::study {

// The controller's constants.
inline constexpr double kSafety = 0.9;          // factor on the predicted best step
inline constexpr double kMaxGrowth = 5.0;       // largest factor from one h to the next
inline constexpr double kMaxShrink = 0.2;       // smallest factor
inline constexpr double kSmallestStep = 1e-12;  // relative to max(1, |x|)
inline constexpr std::int64_t kMaxAttempts = 1000000;
inline constexpr double kSmallestTolerance = 1e-14;
inline constexpr double kHeldShare = 0.2;  // h |lambda| within this share of the limit ...
inline constexpr int kHeldSteps = 10;      // ... for this many accepted steps in a row

struct AdaptiveSettings {
  std::size_t method = 4;  // index into kMethods
  double atol = 1e-6;
  double rtol = 1e-6;
  std::optional<double> h0;  // the first h; none: (x1 - x0) / 100
  bool keepAttempts = true;  // false: only the totals (for a sweep)
  std::int64_t maxAttempts = kMaxAttempts;
};

struct Attempt {
  double x = 0.0;  // start
  double h = 0.0;  // size; the end is x1 exactly for an attempt cut to end there
  double xEnd = 0.0;
  double y = 0.0;  // result at xEnd
  double estimate = 0.0;
  double localError = 0.0;  // solution through (x, y at x) at xEnd minus y
  double err = 0.0;         // the controller's scaled error
  bool accepted = false;
  double error = 0.0;  // global error at xEnd; accepted attempts only
};

enum class AdaptiveEnd { Reached, TooSmall, TooMany, Overflow, Cancelled };

struct AdaptiveResult {
  std::vector<Attempt> attempts;
  std::int64_t accepted = 0;
  std::int64_t rejected = 0;
  std::int64_t evaluations = 0;
  double x = 0.0;  // where it ended
  double y = 0.0;
  double error = 0.0;  // global error at x
  AdaptiveEnd end = AdaptiveEnd::Reached;
  std::string
      cause;  // for an end other than Reached and Cancelled: one sentence with the x or count
  bool exact = true;           // false: errors against a reference solution
  bool stabilityHeld = false;  // h |lambda| stayed near the stability limit kHeldSteps in a row
  double stabilityLimit = 0.0;
};

// Throws std::invalid_argument for a tolerance that is not a number >= kSmallestTolerance, an
// h0 of the wrong sign or not finite, an unknown method, and as checkProblem does.
void checkAdaptive(const Problem& problem, const AdaptiveSettings& settings);

AdaptiveResult runAdaptive(const Problem& problem, const AdaptiveSettings& settings,
                           const std::stop_token& stop = {});

}  // namespace kemi::study
