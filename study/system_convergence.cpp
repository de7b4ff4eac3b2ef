// The sweep on a system. Each method runs its doublings in order on one worker (its rows depend
// on the rows before, through the early stop); the methods share the workers.
#include "study/system_convergence.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>

#include "core/number_format.h"
#include "study/joined_threads.h"
#include "study/problem_stability.h"
#include "study/system_methods.h"
#include "study/system_solution.h"
#include "study/system_stability.h"
#include "study/system_steps.h"

namespace kemi::study {
namespace {

constexpr int kDoublingsWithoutGain = 3;

struct Shared {
  const SystemProblem& problem;
  const SystemSolution& solution;
  const std::vector<Complex>& lambdas;
  std::function<double(const Vec2&)> invariant;  // one per method: a typed one's own parser
  int doublings = 0;
};

// The rows of one method, and why they ended early.
std::pair<std::vector<SystemConvergenceRow>, std::optional<MethodEnd>> sweepMethod(
    const Shared& s, std::size_t method, const std::stop_token& stop) {
  std::vector<SystemConvergenceRow> rows;
  double hLimit = INFINITY;
  for (const Complex lambda : s.lambdas) hLimit = std::min(hLimit, rayLimit(method, lambda));
  const double start = s.invariant ? s.invariant(s.problem.y0) : NAN;
  double best = 0.0;
  int withoutGain = 0;
  const auto ended = [&](bool floor, std::string cause) {
    return MethodEnd{method, rows.empty() ? 0 : rows.back().N, floor, std::move(cause)};
  };
  for (int k = 0; k < s.doublings; ++k) {
    const std::int64_t n = std::int64_t{1} << k;
    const SystemFinalPoint p = systemFinalPoint(s.problem, method, n, stop);
    if (p.cancelled) return {rows, std::nullopt};
    // Beyond the step limit a stiff system's steps may overflow long before a smaller h would;
    // such an N has no row, and the sweep goes on to the next.
    if (p.failedStep != 0 &&
        !(std::abs(s.problem.x1 - s.problem.x0) / static_cast<double>(n) <= hLimit))
      continue;
    if (p.failedStep != 0)
      return {rows,
              ended(false, "at N = " + std::to_string(n) + " step " + std::to_string(p.failedStep) +
                               " left the range of a double, so its sweep ends there")};
    SystemConvergenceRow row;
    row.method = method;
    row.N = n;
    row.h = (s.problem.x1 - s.problem.x0) / static_cast<double>(n);
    row.x = p.x;
    row.y = p.y;
    row.exact = s.solution.at(p.x);
    row.error = maxNorm(row.exact, row.y);
    if (!std::isfinite(row.error))
      return {rows, ended(false, "at N = " + std::to_string(n) +
                                     " the solution at x = " + formatGeneral(p.x) +
                                     " is beyond the range of a double, so its sweep ends there")};
    row.evaluations = n * systemMethodEvaluations(method);
    row.accuracy = s.solution.accuracy();
    row.resolved = s.solution.exact() || row.error > 10.0 * row.accuracy;
    row.stable = std::abs(row.h) <= hLimit;
    row.growth = growthOver(method, s.lambdas, std::abs(row.h), n);
    if (s.invariant) row.drift = (s.invariant(row.y) - start) / std::abs(start);
    const bool bounded = row.growth <= kGrowthForOrder;
    if (!rows.empty()) {
      const SystemConvergenceRow& before = rows.back();
      const double order = std::log2(before.error / row.error);
      if (std::isfinite(order) && before.N * 2 == n && row.resolved && before.resolved && bounded &&
          before.growth <= kGrowthForOrder)
        row.observedOrder = order;
    }
    // As for one equation, only doublings whose growth is bounded count towards the stop at
    // the rounding floor.
    const bool gain = rows.empty() || row.error < best;
    best = gain ? row.error : best;
    withoutGain = gain || !bounded ? 0 : withoutGain + 1;
    rows.push_back(row);
    if (withoutGain >= kDoublingsWithoutGain) return {rows, ended(true, {})};
  }
  return {rows, std::nullopt};
}

}  // namespace

SystemConvergenceResult runSystemConvergence(const SystemProblem& problem,
                                             const ConvergenceSettings& settings,
                                             std::stop_token stop,
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
  const SystemSolution solution(problem, systemSamples(problem, kLambdaSamples));
  const std::vector<Complex> lambdas = decayingEigenvalues(problem, solution);
  int doublings = 0;
  while (doublings < 62 && (std::int64_t{1} << doublings) <= settings.maxN) ++doublings;

  std::vector<std::pair<std::vector<SystemConvergenceRow>, std::optional<MethodEnd>>> results(
      methods.size());
  const bool typed = std::holds_alternative<TypedSystem>(problem.system);
  std::atomic<std::size_t> next{0};
  std::mutex reporting;
  std::size_t finished = 0;
  const auto work = [&] {
    // A typed exact solution and a typed invariant hold a parser: one per worker. A reference
    // is only read, so all share it.
    std::optional<SystemSolution> own;
    if (typed && solution.exact()) own.emplace(problem);
    const Shared shared{problem, own ? *own : solution, lambdas, systemInvariant(problem.system),
                        doublings};
    for (std::size_t i = next++; i < methods.size(); i = next++) {
      results[i] = sweepMethod(shared, methods[i], stop);
      const std::scoped_lock lock(reporting);
      ++finished;
      if (progress) progress(static_cast<double>(finished) / static_cast<double>(methods.size()));
    }
  };
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
  const unsigned workers = 1;  // a page without cross-origin isolation has no threads
#else
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const unsigned workers =
      std::min<std::size_t>(settings.workers != 0 ? settings.workers : cores, methods.size());
#endif
  {
    JoinedThreads pool;
    for (unsigned i = 1; i < workers; ++i) pool.threads.emplace_back(work);
    work();
  }
  SystemConvergenceResult r;
  r.cancelled = stop.stop_requested();
  r.exact = solution.exact();
  r.accuracy = solution.accuracy();
  for (auto& [rows, end] : results) {
    r.rows.insert(r.rows.end(), rows.begin(), rows.end());
    if (end) r.ends.push_back(*end);
  }
  return r;
}

}  // namespace kemi::study
