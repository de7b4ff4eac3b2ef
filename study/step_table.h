// The step table: every step of one method with its stages, the exact value and the global and
// local errors, for checking a hand computation line by line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/step_stages.h"
#include "study/problem.h"

namespace kemi::study {

inline constexpr std::int64_t kMaxTableSteps = 100000;

struct StepRow {
  std::int64_t i = 0;
  double x = 0.0;           // X(i), accumulated
  double y = 0.0;           // Y(i)
  double exact = 0.0;       // exact (or reference) solution at X(i)
  double error = 0.0;       // exact - y (global); not set in row 0
  double localError = 0.0;  // exact at X(i) minus one step from the exact value at X(i-1)
  StageRecord stages;       // k1..ks of the step from (X(i-1), Y(i-1)) and the points and
                            // slopes of its evaluations of f; none in row 0
  double estimate = 0.0;    // an embedded pair's error estimate (hasEstimate); not in row 0
};

struct StepTable {
  std::vector<StepRow> rows;  // row 0 is the initial point (x0, y0)
  std::string cause;          // why the steps stopped early (left the double range); else empty
  bool exact = true;          // false: `exact` holds a reference solution
  double accuracy = 0.0;      // the reference's absolute accuracy; 0 for the exact solution
  bool hasEstimate = false;   // the method is an embedded pair (RKF, RKM)
};

// The table of kMethods[method] on the problem, from (x0, y0) to x1; classroom from (0, -1) gives
// the run's points. Throws std::invalid_argument for n outside 1..kMaxTableSteps and as
// checkProblem does, and ReferenceError.
StepTable buildStepTable(const Problem& problem, std::size_t method, std::int64_t n);

}  // namespace kemi::study
