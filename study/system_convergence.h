// The convergence sweep on a system: for each chosen method, N = 1, 2, 4, ... up to a largest N,
// the largest component error at x1, the observed order between two rows and the drift of the
// invariant. An order is formed between two rows whose growth over the interval (the largest
// |R(h lambda)|^N over the eigenvalues along the solution with a real part of 0 or less) is at
// most 10 for both: on the oscillator no step of Euler is stable, yet on a finite interval its
// error still falls at its order once that growth fades. An N whose steps leave the double range
// while h is beyond the method's step limit has no row; within it, the sweep ends there.
#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>
#include <vector>

#include "study/convergence.h"
#include "study/system.h"

namespace kemi::study {

inline constexpr double kGrowthForOrder = 10.0;

struct SystemConvergenceRow {
  std::size_t method = 0;  // one of the nine system methods
  std::int64_t N = 0;
  double h = 0.0;
  double x = 0.0;
  Vec2 y;
  Vec2 exact;          // exact or reference at x
  double error = 0.0;  // largest absolute component error
  double observedOrder = NAN;
  std::int64_t evaluations = 0;
  bool stable = true;    // h within the method's step limit on the system
  bool resolved = true;  // error above 10 times the reference's accuracy
  double accuracy = 0.0;
  double growth = 1.0;  // as above
  double drift = NAN;   // (I(y) - I(y0)) / |I(y0)|; NaN without an invariant
  bool hasOrder() const { return observedOrder == observedOrder; }
};

struct SystemConvergenceResult {
  std::vector<SystemConvergenceRow> rows;  // by method in order, then by N
  std::vector<MethodEnd> ends;             // `method` indexes the nine
  bool cancelled = false;
  bool exact = true;
  double accuracy = 0.0;
};

// settings.methods index the nine; settings.x1 is not read. Throws std::invalid_argument as
// runConvergence does, and for a method that does not apply.
SystemConvergenceResult runSystemConvergence(const SystemProblem& problem,
                                             const ConvergenceSettings& settings,
                                             const std::stop_token& stop = {},
                                             const std::function<void(double)>& progress = {});

}  // namespace kemi::study
