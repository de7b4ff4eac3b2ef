// The sweep on a system: the scheduler runs each chosen method's levels N = 1, 2, 4, ... as
// tasks (the final point of N steps), and the row rule below turns each method's points, in
// order of N, into its rows and its end, so the rows do not depend on the scheduling.
#include "study/system_convergence.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <stdexcept>
#include <thread>

#include "core/number_format.h"
#include "study/problem_stability.h"
#include "study/sweep_rule.h"
#include "study/sweep_scheduler.h"
#include "study/system_methods.h"
#include "study/system_solution.h"
#include "study/system_stability.h"
#include "study/system_steps.h"

namespace kemi::study {
namespace {

// What stays fixed over one method's sweep.
struct SystemRowContext {
  std::size_t method = 0;
  double hLimit = INFINITY;  // |h| beyond it is unstable
  double start = NAN;        // the invariant at the start; NaN without one
};

struct SystemRowStep {
  std::optional<SystemConvergenceRow> row;
  std::optional<MethodEnd> end;
  int ahead = kAheadFirst;  // levels worth running past this one: speculation only
};

class SystemSweep {
 public:
  SystemSweep(const SystemProblem& problem, const std::vector<std::size_t>& methods, int levels)
      : problem_(problem),
        solution_(problem, systemSamples(problem, kLambdaSamples)),
        lambdas_(decayingEigenvalues(problem, solution_)),
        invariant_(systemInvariant(problem.system)),
        levels_(levels) {
    const double start = invariant_ ? invariant_(problem.y0) : NAN;
    for (const std::size_t m : methods) {
      double hLimit = INFINITY;
      for (const Complex lambda : lambdas_) hLimit = std::min(hLimit, rayLimit(m, lambda));
      lanes_.push_back({{m, hLimit, start}, {}, {}, std::vector<SystemFinalPoint>(levels)});
    }
  }

  void run(unsigned workers, const std::stop_token& stop,
           const std::function<void(double)>& progress) {
    SweepScheduler::Work work;
    work.cost = [this](std::size_t lane, int level) {
      return std::ldexp(static_cast<double>(systemMethodEvaluations(lanes_[lane].context.method)),
                        level);
    };
    // Each (lane, level) runs once; its point is read in take, after the scheduler's lock.
    work.run = [this](std::size_t lane, int level, const std::stop_token& laneStop,
                      const std::function<void(double)>&) {
      SystemFinalPoint& p = lanes_[lane].points[static_cast<std::size_t>(level)];
      p = systemFinalPoint(problem_, lanes_[lane].context.method, std::int64_t{1} << level,
                           laneStop);
      return FinalPoint{p.x, 0.0, p.failedStep, p.cancelled};
    };
    work.take = [this](std::size_t lane, int level, const FinalPoint&) {
      return take(lanes_[lane], level);
    };
    work.progress = progress;
    SweepScheduler(std::vector<int>(lanes_.size(), levels_), kAheadFirst, std::move(work))
        .run(workers, stop);
  }

  SystemConvergenceResult result(bool cancelled) const {
    SystemConvergenceResult r;
    r.cancelled = cancelled;
    r.exact = solution_.exact();
    r.accuracy = solution_.accuracy();
    for (const Lane& lane : lanes_) {
      r.rows.insert(r.rows.end(), lane.rows.begin(), lane.rows.end());
      if (lane.end) r.ends.push_back(*lane.end);
    }
    return r;
  }

 private:
  struct Lane {
    SystemRowContext context;
    std::vector<SystemConvergenceRow> rows;
    std::optional<MethodEnd> end;
    std::vector<SystemFinalPoint> points;  // by level
  };

  SystemRowStep nextRow(const SystemRowContext& c, std::span<const SystemConvergenceRow> earlier,
                        std::int64_t n, const SystemFinalPoint& p) const;

  // Under the scheduler's lock: the typed solution and invariant (each with its parser) are
  // used by one thread at a time.
  std::optional<int> take(Lane& lane, int level) {
    const std::int64_t n = std::int64_t{1} << level;
    SystemRowStep step =
        nextRow(lane.context, lane.rows, n, lane.points[static_cast<std::size_t>(level)]);
    if (step.row) lane.rows.push_back(*step.row);
    if (step.end) {
      lane.end = std::move(step.end);
      return std::nullopt;
    }
    return step.ahead;
  }

  const SystemProblem problem_;
  const SystemSolution solution_;
  const std::vector<Complex> lambdas_;
  const std::function<double(const Vec2&)> invariant_;
  int levels_ = 0;
  std::vector<Lane> lanes_;  // in the nine's order
};

// The row of N steps ending at p after the earlier rows of the method, or the method's end.
// Everything it needs of the past is in the earlier rows.
SystemRowStep SystemSweep::nextRow(const SystemRowContext& c,
                                   std::span<const SystemConvergenceRow> earlier, std::int64_t n,
                                   const SystemFinalPoint& p) const {
  SystemRowStep step;
  const auto ended = [&](bool floor, std::string cause) {
    return MethodEnd{c.method, earlier.empty() ? 0 : earlier.back().N, floor, std::move(cause)};
  };
  // Beyond the step limit a stiff system's steps may overflow long before a smaller h would;
  // such an N has no row, and the sweep goes on to the next.
  if (p.failedStep != 0 &&
      !(std::abs(problem_.x1 - problem_.x0) / static_cast<double>(n) <= c.hLimit))
    return step;
  if (p.failedStep != 0) {
    step.end =
        ended(false, "at N = " + std::to_string(n) + " step " + std::to_string(p.failedStep) +
                         " left the range of a double, so its sweep ends there");
    return step;
  }
  SystemConvergenceRow row;
  row.method = c.method;
  row.N = n;
  row.h = (problem_.x1 - problem_.x0) / static_cast<double>(n);
  row.x = p.x;
  row.y = p.y;
  row.exact = solution_.at(p.x);
  row.error = maxNorm(row.exact, row.y);
  if (!std::isfinite(row.error)) {
    step.end =
        ended(false, "at N = " + std::to_string(n) + " the solution at x = " + formatGeneral(p.x) +
                         " is beyond the range of a double, so its sweep ends there");
    return step;
  }
  row.evaluations = n * systemMethodEvaluations(c.method);
  row.accuracy = solution_.accuracy();
  row.resolved = solution_.exact() || row.error > 10.0 * row.accuracy;
  row.stable = std::abs(row.h) <= c.hLimit;
  row.growth = growthOver(c.method, lambdas_, std::abs(row.h), n);
  if (invariant_) row.drift = (invariant_(row.y) - c.start) / std::abs(c.start);
  const bool bounded = row.growth <= kGrowthForOrder;
  if (!earlier.empty()) {
    const SystemConvergenceRow& before = earlier.back();
    const double order = std::log2(before.error / row.error);
    const bool measured = std::isfinite(order) && row.resolved && before.resolved;
    if (measured && before.N * 2 == n && bounded && before.growth <= kGrowthForOrder)
      row.observedOrder = order;
    step.ahead = aheadFrom(measured ? order : NAN, row.error,
                           std::max(std::abs(row.exact[0]), std::abs(row.exact[1])), n);
  }
  // As for one equation, only doublings whose growth is bounded count towards the stop at the
  // rounding floor.
  step.row = row;
  if (reachesRoundingFloor(
          earlier, row, [](const SystemConvergenceRow& r) { return r.error; },
          [](const SystemConvergenceRow& r) { return r.growth <= kGrowthForOrder; }))
    step.end = MethodEnd{c.method, n, true, {}};
  return step;
}

}  // namespace

SystemConvergenceResult runSystemConvergence(const SystemProblem& problem,
                                             const ConvergenceSettings& settings,
                                             const std::stop_token& stop,
                                             const std::function<void(double)>& progress) {
  if (settings.maxN < 1 || settings.maxN > kMaxSteps)
    throw std::invalid_argument("the largest N must be a whole number from 1 to " +
                                std::to_string(kMaxSteps));
  if (settings.methods.empty()) throw std::invalid_argument("choose at least one method");
  std::vector<std::size_t> methods = settings.methods;
  std::sort(methods.begin(), methods.end());
  methods.erase(std::unique(methods.begin(), methods.end()), methods.end());
  checkSystemProblem(problem);
  for (const std::size_t m : methods) checkMethodApplies(problem, m);
  int doublings = 0;
  while (doublings < 62 && (std::int64_t{1} << doublings) <= settings.maxN) ++doublings;

  SystemSweep sweep(problem, methods, doublings);
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
  const bool inline_ = true;  // a page without cross-origin isolation has no threads
#else
  const bool inline_ = settings.onCaller;
#endif
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  sweep.run(inline_ ? 0 : (settings.workers != 0 ? settings.workers : cores), stop, progress);
  return sweep.result(stop.stop_requested());
}

}  // namespace kemi::study
