// The tolerance sweep: an adaptive run of each chosen method at tol = 1e-1, 1e-2, ..., 1e-12
// (atol = rtol = tol), with the error at x1 and the work it took.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

#include "study/adaptive.h"

namespace kemi::study {

inline constexpr std::array<double, 12> kSweepTolerances{1e-1, 1e-2, 1e-3, 1e-4,  1e-5,  1e-6,
                                                         1e-7, 1e-8, 1e-9, 1e-10, 1e-11, 1e-12};

struct AdaptiveSweepRow {
  std::size_t method = 0;
  double tol = 0.0;
  double error = 0.0;  // at x1; at the x where the run stopped for a run that did not reach it
  std::int64_t evaluations = 0;
  std::int64_t steps = 0;  // accepted attempts
  std::int64_t rejected = 0;
  std::string cause;  // why the run stopped before x1; empty when it reached x1
};

struct AdaptiveSweep {
  std::vector<AdaptiveSweepRow> rows;
  bool exact = true;
  bool cancelled = false;
};

// Every tolerance is run, in the order of `methods` then of kSweepTolerances; `progress` gets
// the share done. Throws std::invalid_argument as checkAdaptive does.
AdaptiveSweep adaptiveSweep(const Problem& problem, const std::vector<std::size_t>& methods,
                            const std::stop_token& stop = {},
                            const std::function<void(double)>& progress = {});

}  // namespace kemi::study
