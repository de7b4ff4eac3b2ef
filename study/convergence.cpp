// The convergence sweep on a small pool of threads. Every (method, N) pair is a task; a worker
// takes the largest task it may start. A method's rows are final in order of N, since the
// early stop at the rounding floor depends on the rows before; so a method may run only some
// doublings ahead of its last final row (speculation), and its tasks past an early stop are
// cancelled and their results dropped. The rows therefore do not depend on the scheduling.
// Doublings only count towards the early stop once the step is within the method's stability
// limit: before that the error grows because the steps are unstable, not because of rounding.
#include "convergence.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>

#include "final_point.h"
#include "method_table.h"
#include "number_format.h"
#include "problem_stability.h"
#include "problem_steps.h"
#include "solution.h"

namespace kemi::study {
namespace {

// How many doublings past its last final row a method may run: a few at first; later as many
// as its error, falling at the observed order, stays above a rounding floor (at most
// kAheadMost), and only the next one once it falls no more. A method far from its floor
// (Euler) thus starts its largest tasks early, and one near it wastes little on tasks that an
// early stop drops.
constexpr int kAheadFirst = 4;
constexpr int kAheadMost = 8;
constexpr int kDoublingsWithoutGain = 3;

// A generous guess of the rounding floor after n steps: half an ulp of the value per step,
// growing like a random walk. It only steers the speculation; the rows do not depend on it.
double roundingFloorGuess(double value, double n) {
  return 1.1e-16 * std::max(1.0, std::abs(value)) * std::sqrt(n);
}

// Doublings ahead worth running from a final row with error `size` and observed `order`.
int aheadFrom(const ConvergenceRow& row, double size) {
  if (!(row.observedOrder > 0.5)) return 1;
  int ahead = 1;
  for (int j = 1; j < kAheadMost; ++j) {
    const double predicted = size / std::exp2(row.observedOrder * j);
    if (predicted <= roundingFloorGuess(row.exact, std::ldexp(static_cast<double>(row.N), j)))
      break;
    ahead = j + 1;
  }
  return ahead;
}

struct MethodState {
  std::size_t method = 0;
  int doublings = 0;  // tasks k = 0 .. doublings-1, N = 2^k
  std::vector<std::optional<FinalPoint>> done;
  std::vector<bool> started;
  int final = 0;  // rows 0 .. final-1 are final
  bool ended = false;
  int ahead = kAheadFirst;
  double limit = 0.0;  // stability limit: no floor is looked for above it
  double best = 0.0;   // smallest |error| so far
  int withoutGain = 0;
  std::vector<ConvergenceRow> rows;
  std::optional<MethodEnd> end;
  std::stop_source stop;
};

class Sweep {
 public:
  Sweep(const ConvergenceSettings& settings, const Problem& problem,
        const SweepCallbacks& callbacks)
      : problem_(problem),
        solution_(problem, sampleAbscissae(problem, kLambdaSamples)),
        callbacks_(callbacks) {
    const double lambdaMin = lambdaRange(problem_, solution_).lambdaMin;
    int doublings = 0;
    while (doublings < 62 && (std::int64_t{1} << doublings) <= settings.maxN) ++doublings;
    for (const std::size_t m : settings.methods) {
      MethodState& s = methods_.emplace_back();
      s.method = m;
      s.limit = stepLimit(stabilityLimit(m), lambdaMin);
      s.doublings = doublings;
      s.done.resize(static_cast<std::size_t>(doublings));
      s.started.resize(static_cast<std::size_t>(doublings), false);
    }
  }

  void work(const std::stop_token& stop) {
    std::unique_lock lock(mutex_);
    while (true) {
      if (stop.stop_requested()) return;
      const std::optional<std::pair<MethodState*, int>> task = pick();
      if (!task) {
        if (running_ == 0) {
          changed_.notify_all();
          return;
        }
        changed_.wait(lock);
        continue;
      }
      auto [s, k] = *task;
      s->started[static_cast<std::size_t>(k)] = true;
      ++running_;
      const std::stop_token methodStop = s->stop.get_token();
      lock.unlock();
      const double perStep = kMethods[s->method].evaluations;
      double counted = 0.0;  // this task's work in runningWork_ so far
      const StepsTaken taken = [&](std::int64_t steps) {
        const std::scoped_lock chunk(mutex_);
        const double work = static_cast<double>(steps) * perStep;
        runningWork_ += work - counted;
        counted = work;
        reportProgress();
      };
      const FinalPoint p = finalPoint(problem_, s->method, std::int64_t{1} << k, methodStop, taken);
      lock.lock();
      --running_;
      runningWork_ -= counted;
      if (!p.cancelled) take(*s, k, p);
      changed_.notify_all();
    }
  }

  void cancelAll() {
    for (MethodState& s : methods_) s.stop.request_stop();
  }

  ConvergenceResult result(bool cancelled) {
    ConvergenceResult r;
    r.cancelled = cancelled;
    r.exact = solution_.exact();
    r.accuracy = solution_.accuracy();
    std::sort(methods_.begin(), methods_.end(),
              [](const MethodState& a, const MethodState& b) { return a.method < b.method; });
    for (MethodState& s : methods_) {
      r.rows.insert(r.rows.end(), s.rows.begin(), s.rows.end());
      if (s.end) r.ends.push_back(*s.end);
    }
    return r;
  }

 private:
  static double cost(const MethodState& s, int k) {
    return std::ldexp(static_cast<double>(kMethods[s.method].evaluations), k);
  }

  // The largest task any method may start now, where a method's smallest open task counts as
  // large as its largest task that waits for rows to become final: it is on the way to that
  // one, and it is cheap.
  std::optional<std::pair<MethodState*, int>> pick() {
    std::optional<std::pair<MethodState*, int>> best;
    double bestPriority = -1.0;
    const auto consider = [&](MethodState& s, int k, double priority) {
      if (priority > bestPriority) {
        best = {&s, k};
        bestPriority = priority;
      }
    };
    for (MethodState& s : methods_) {
      if (s.ended) continue;
      const int limit = std::min(s.doublings, s.final + s.ahead);
      int low = -1;
      int high = -1;
      for (int k = s.final; k < limit; ++k) {
        if (s.started[static_cast<std::size_t>(k)]) continue;
        low = low < 0 ? k : low;
        high = k;
      }
      if (high < 0) continue;
      consider(s, high, cost(s, high));
      if (limit < s.doublings) consider(s, low, cost(s, s.doublings - 1));
    }
    return best;
  }

  // Records a finished task, then makes final every row whose smaller rows are all in.
  void take(MethodState& s, int k, const FinalPoint& p) {
    if (s.ended) return;
    s.done[static_cast<std::size_t>(k)] = p;
    while (!s.ended && s.final < s.doublings && s.done[static_cast<std::size_t>(s.final)])
      finish(s, *s.done[static_cast<std::size_t>(s.final)]);
    reportProgress();
  }

  void finish(MethodState& s, const FinalPoint& p) {
    const int k = s.final;
    const std::int64_t n = std::int64_t{1} << k;
    done_ += cost(s, k);
    if (p.failedStep != 0) {
      end(s, false,
          "at N = " + std::to_string(n) + " step " + std::to_string(p.failedStep) +
              " left the range of a double, so its sweep ends there");
      return;
    }
    ConvergenceRow row;
    row.method = s.method;
    row.N = n;
    row.h = stepSize(problem_.x0, problem_.x1, static_cast<double>(n));
    row.x = p.x;
    row.y = p.y;
    row.exact = solution_.at(p.x);
    row.error = row.exact - row.y;
    if (!std::isfinite(row.error)) {
      end(s, false,
          "at N = " + std::to_string(n) + " the exact solution at x = " + formatGeneral(p.x) +
              " is beyond the range of a double, so its sweep ends there");
      return;
    }
    row.observedOrder = std::nan("");
    row.evaluations = n * kMethods[s.method].evaluations;
    row.accuracy = solution_.accuracy();
    const double size = std::abs(row.error);
    row.resolved = solution_.exact() || size > 10.0 * row.accuracy;
    row.stable = std::abs(row.h) <= s.limit;
    if (!s.rows.empty()) {
      const double order = std::log2(std::abs(s.rows.back().error) / size);
      if (std::isfinite(order) && row.resolved && s.rows.back().resolved) row.observedOrder = order;
      s.ahead = aheadFrom(row, size);
    }
    // Errors that grow while the step is beyond the stability limit show no rounding floor;
    // only doublings within it count towards the early stop.
    const bool gain = s.rows.empty() || size < s.best;
    const bool stable = row.stable;
    s.best = gain ? size : s.best;
    s.withoutGain = gain || !stable ? 0 : s.withoutGain + 1;
    s.rows.push_back(row);
    ++s.final;
    if (callbacks_.row) callbacks_.row(row);
    if (s.withoutGain >= kDoublingsWithoutGain) end(s, true, {});
  }

  void end(MethodState& s, bool roundingFloor, std::string cause) {
    s.ended = true;
    s.stop.request_stop();
    s.end =
        MethodEnd{s.method, s.rows.empty() ? 0 : s.rows.back().N, roundingFloor, std::move(cause)};
  }

  // The work of the final rows and of the running tasks so far, against that and all that a
  // method that goes on may still need. Never reported smaller than before: work counted in a
  // task that is then dropped does not take the bar back.
  void reportProgress() {
    if (!callbacks_.progress) return;
    double remaining = 0.0;
    for (const MethodState& s : methods_)
      for (int k = s.final; k < s.doublings && !s.ended; ++k) remaining += cost(s, k);
    const double all = done_ + remaining;
    const double share = all > 0.0 ? std::min(1.0, (done_ + runningWork_) / all) : 1.0;
    if (share > reported_) {
      reported_ = share;
      callbacks_.progress(share);
    }
  }

  const Problem problem_;
  const Solution solution_;
  const SweepCallbacks& callbacks_;
  std::vector<MethodState> methods_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int running_ = 0;
  double done_ = 0.0;
  double runningWork_ = 0.0;  // steps times evaluations taken by tasks still running
  double reported_ = 0.0;
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
                                 std::stop_token stop, const SweepCallbacks& callbacks) {
  check(problem, settings);
  ConvergenceSettings sorted = settings;
  std::sort(sorted.methods.begin(), sorted.methods.end());
  sorted.methods.erase(std::unique(sorted.methods.begin(), sorted.methods.end()),
                       sorted.methods.end());
  checkProblem(problem);
  Sweep sweep(sorted, problem, callbacks);
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const unsigned workers = settings.workers != 0 ? settings.workers : cores;
  {
    std::stop_callback onStop(stop, [&sweep] { sweep.cancelAll(); });
    std::vector<std::jthread> pool;
    for (unsigned i = 0; i < workers; ++i)
      pool.emplace_back([&sweep, &stop, &callbacks] {
        if (callbacks.workerStarted) callbacks.workerStarted();
        sweep.work(stop);
      });
  }
  return sweep.result(stop.stop_requested());
}

}  // namespace kemi::study
