// The convergence sweep: for each chosen method, N = 1, 2, 4, ... up to a largest N, the error
// at x1 against N and the observed order between two rows. A method's sweep ends early once
// three doublings in a row have not improved on its smallest error
// (the rounding floor shows; only doublings whose step is within the stability limit count),
// or at the first N whose steps leave the double range.
#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

#include "study/problem.h"

namespace kemi::study {

// The largest N a run's tables can hold.
inline constexpr std::int64_t kMaxSteps = 2147483646;

struct ConvergenceSettings {
  double x1 = 1.0;
  std::int64_t maxN = std::int64_t{1} << 24;  // 1 to kMaxSteps; rows at the powers of 2 up to it
  std::vector<std::size_t> methods;           // indexes into kMethods, in table order
  unsigned workers = 0;                       // threads; 0 takes one per core
  bool onCaller = false;  // no threads: every task on the calling thread (a page without them)
};

struct ConvergenceRow {
  std::size_t method = 0;  // index into kMethods
  std::int64_t N = 0;
  double h = 0.0;      // (x1 - x0) / N
  double x = 0.0;      // X(N), accumulated as in the run
  double y = 0.0;      // Y(N)
  double exact = 0.0;  // exact (or reference) solution at X(N)
  double error = 0.0;  // exact - y
  // log2(|e(N/2)| / |e(N)|); NaN in a method's first row, where either error is 0 (an order
  // against an exact zero is not a number) and where either row is not resolved or not stable.
  double observedOrder = 0;
  std::int64_t evaluations = 0;  // N times the method's calls of f per step
  bool stable = true;            // h within the method's stability limit on this equation
  bool resolved = true;          // |error| above 10 times the reference's accuracy
  double accuracy = 0.0;         // the reference's absolute accuracy; 0 for an exact solution
  bool hasOrder() const { return observedOrder == observedOrder; }
};

// Why a method's sweep ended before the largest N.
struct MethodEnd {
  std::size_t method = 0;
  std::int64_t lastN = 0;      // the last N with a row
  bool roundingFloor = false;  // three doublings without a better error
  std::string cause;           // a step left the double range: one sentence; empty otherwise
};

struct ConvergenceResult {
  std::vector<ConvergenceRow> rows;  // by method in table order, then by N
  std::vector<MethodEnd> ends;       // methods whose sweep ended early, in table order
  bool cancelled = false;            // rows then hold only what was complete
  bool exact = true;                 // false: errors are measured against a reference
  double accuracy = 0.0;             // the reference's absolute accuracy
};

struct SweepCallbacks {
  // Each row as soon as it is final, a method's rows in order of N; called from a worker
  // thread (the calling one with onCaller), one call at a time.
  std::function<void(const ConvergenceRow&)> row;
  // Share of the work done, 0 to 1, from a worker thread, one call at a time.
  std::function<void(double)> progress;
  // Called on each worker thread as it starts, before it takes a task: a window lowers the
  // workers' priority here so that its own thread stays responsive.
  std::function<void()> workerStarted;
};

// Throws std::invalid_argument for x1 equal to x0 or not finite, maxN outside 1..kMaxSteps, no
// method, or a problem that checkProblem or a reference solution refuses.
// The sweep on `problem`, from its start to its x1 (settings.x1 is not read).
ConvergenceResult runConvergence(const Problem& problem, const ConvergenceSettings& settings,
                                 const std::stop_token& stop = {},
                                 const SweepCallbacks& callbacks = {});

}  // namespace kemi::study
