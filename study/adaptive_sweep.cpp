// The tolerance sweep, one run after another on the calling thread: each run is short (at most
// kMaxAttempts attempts without the local errors), and the rows come in a fixed order.
#include "study/adaptive_sweep.h"

namespace kemi::study {

AdaptiveSweep adaptiveSweep(const Problem& problem, const std::vector<std::size_t>& methods,
                            const std::stop_token& stop,
                            const std::function<void(double)>& progress) {
  AdaptiveSweep sweep;
  const double total = static_cast<double>(methods.size() * kSweepTolerances.size());
  for (const std::size_t method : methods) {
    for (const double tol : kSweepTolerances) {
      const AdaptiveSettings settings{method, tol, tol, std::nullopt, false};
      const AdaptiveResult r = runAdaptive(problem, settings, stop);
      if (r.end == AdaptiveEnd::Cancelled) {
        sweep.cancelled = true;
        return sweep;
      }
      sweep.exact = r.exact;
      sweep.rows.push_back({method, tol, r.error, r.evaluations, r.accepted, r.rejected, r.cause});
      if (progress) progress(static_cast<double>(sweep.rows.size()) / total);
    }
  }
  return sweep;
}

}  // namespace kemi::study
