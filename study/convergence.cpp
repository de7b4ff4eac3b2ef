// The convergence sweep: the scheduler runs each chosen method's levels N = 1, 2, 4, ... as
// tasks (the final point of N steps), and the row rule turns each method's points, in order of
// N, into its rows and its end. The rows therefore do not depend on the scheduling.
#include "study/convergence.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <thread>

#include "core/method_table.h"
#include "core/number_format.h"
#include "study/problem_stability.h"
#include "study/problem_steps.h"
#include "study/solution.h"
#include "study/sweep_rule.h"
#include "study/sweep_scheduler.h"

namespace kemi::study {
namespace {

struct MethodSweep {
  RowRuleContext context;
  std::vector<ConvergenceRow> rows;
  std::optional<MethodEnd> end;
};

// One sweep over the levels N = 2^k of each method: the tasks for the scheduler, the rule's
// rows as they come.
class Sweep {
 public:
  Sweep(const ConvergenceSettings& settings, const Problem& problem,
        const SweepCallbacks& callbacks)
      : problem_(problem),
        solution_(problem, sampleAbscissae(problem, kLambdaSamples)),
        callbacks_(callbacks) {
    const double lambdaMin = lambdaRange(problem_, solution_).lambdaMin;
    while (levels_ < 62 && (std::int64_t{1} << levels_) <= settings.maxN) ++levels_;
    for (const std::size_t m : settings.methods)
      methods_.push_back(
          {{m, stepLimit(stabilityLimit(m), lambdaMin), solution_.exact(), solution_.accuracy()},
           {},
           {}});
  }

  void run(unsigned workers, const std::stop_token& stop) {
    SweepScheduler::Work work;
    work.cost = [this](std::size_t lane, int level) { return cost(lane, level); };
    work.run = [this](std::size_t lane, int level, const std::stop_token& laneStop,
                      const std::function<void(double)>& done) {
      const double perStep = kMethods[methods_[lane].context.method].evaluations;
      return finalPoint(problem_, methods_[lane].context.method, std::int64_t{1} << level, laneStop,
                        [&](std::int64_t steps) { done(static_cast<double>(steps) * perStep); });
    };
    work.take = [this](std::size_t lane, int level, const FinalPoint& p) {
      return take(methods_[lane], level, p);
    };
    work.progress = callbacks_.progress;
    work.workerStarted = callbacks_.workerStarted;
    SweepScheduler(std::vector<int>(methods_.size(), levels_), kAheadFirst, std::move(work))
        .run(workers, stop);
  }

  ConvergenceResult result(bool cancelled) const {
    ConvergenceResult r;
    r.cancelled = cancelled;
    r.exact = solution_.exact();
    r.accuracy = solution_.accuracy();
    for (const MethodSweep& s : methods_) {
      r.rows.insert(r.rows.end(), s.rows.begin(), s.rows.end());
      if (s.end) r.ends.push_back(*s.end);
    }
    return r;
  }

 private:
  double cost(std::size_t lane, int level) const {
    return std::ldexp(static_cast<double>(kMethods[methods_[lane].context.method].evaluations),
                      level);
  }

  std::optional<int> take(MethodSweep& s, int level, const FinalPoint& p) {
    const std::int64_t n = std::int64_t{1} << level;
    const LevelPoint point{n, stepSize(problem_.x0, problem_.x1, static_cast<double>(n)), p,
                           p.failedStep != 0 ? 0.0 : solution_.at(p.x)};
    RowStep step = nextRow(s.context, s.rows, point);
    if (step.row) {
      s.rows.push_back(*step.row);
      if (callbacks_.row) callbacks_.row(*step.row);
    }
    if (step.end) {
      s.end = std::move(step.end);
      return std::nullopt;
    }
    return step.ahead;
  }

  const Problem problem_;
  const Solution solution_;
  const SweepCallbacks& callbacks_;
  int levels_ = 0;
  std::vector<MethodSweep> methods_;  // in table order
};

void check(const Problem& p, const ConvergenceSettings& s) {
  if (!std::isfinite(p.x1) || p.x1 == p.x0)
    throw std::invalid_argument("x1 must be a finite number other than " +
                                (p.x0 == 0.0 ? std::string("0") : "x0 = " + formatGeneral(p.x0)));
  if (s.maxN < 1 || s.maxN > kMaxSteps)
    throw std::invalid_argument("the largest N must be a whole number from 1 to " +
                                std::to_string(kMaxSteps));
  if (s.methods.empty()) throw std::invalid_argument("choose at least one method");
  for (const std::size_t m : s.methods)
    if (m >= kMethods.size()) throw std::invalid_argument("no such method");
}

}  // namespace

ConvergenceResult runConvergence(const Problem& problem, const ConvergenceSettings& settings,
                                 const std::stop_token& stop, const SweepCallbacks& callbacks) {
  check(problem, settings);
  ConvergenceSettings sorted = settings;
  std::sort(sorted.methods.begin(), sorted.methods.end());
  sorted.methods.erase(std::unique(sorted.methods.begin(), sorted.methods.end()),
                       sorted.methods.end());
  checkProblem(problem);
  Sweep sweep(sorted, problem, callbacks);
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
  // A page without cross-origin isolation has no threads: the sweep runs on the caller's thread,
  // a Web Worker of the page.
  const bool inline_ = true;
#else
  const bool inline_ = settings.onCaller;
#endif
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  sweep.run(inline_ ? 0 : (settings.workers != 0 ? settings.workers : cores), stop);
  return sweep.result(stop.stop_requested());
}

}  // namespace kemi::study
