// An adaptive RKF run against the same work at a fixed step: the fixed run takes as many RKF
// steps as the adaptive run made attempts (accepted and rejected), so the difference is the
// controller's own cost (the estimate, the scaled error, the new h, the bookkeeping).
#include <benchmark/benchmark.h>

#include <cstdint>

#include "study/adaptive.h"
#include "study/problem_steps.h"

namespace {

using namespace kemi;

constexpr std::size_t kRkf = 4;

study::Problem problemOf(std::int64_t which) {
  return which == 0 ? study::presetProblem(study::Logistic{})
                    : study::Problem{study::Stiff{}, 0.0, 0.0, 10.0};
}

double tolOf(std::int64_t exponent) {
  double tol = 1.0;
  for (std::int64_t i = 0; i < exponent; ++i) tol /= 10.0;
  return tol;
}

void BM_AdaptiveRKF(benchmark::State& state) {
  const study::Problem problem = problemOf(state.range(0));
  const double tol = tolOf(state.range(1));
  std::int64_t attempts = 0;
  for (auto _ : state) {
    const study::AdaptiveResult r =
        study::runAdaptive(problem, {kRkf, tol, tol, std::nullopt, false});
    attempts = r.accepted + r.rejected;
    benchmark::DoNotOptimize(r.y);
  }
  state.counters["attempts"] = static_cast<double>(attempts);
}

// As many fixed RKF steps over the same interval as the adaptive run made attempts.
void BM_FixedRKFSameAttempts(benchmark::State& state) {
  const study::Problem problem = problemOf(state.range(0));
  const double tol = tolOf(state.range(1));
  const study::AdaptiveResult r =
      study::runAdaptive(problem, {kRkf, tol, tol, std::nullopt, false});
  const std::int64_t n = r.accepted + r.rejected;
  for (auto _ : state) benchmark::DoNotOptimize(study::finalPoint(problem, kRkf, n));
  state.counters["attempts"] = static_cast<double>(n);
}

// {problem: 0 logistic on [0, 4], 1 stiff on [0, 10]} x {tol exponent}
void cases(benchmark::internal::Benchmark* b) {
  for (const std::int64_t p : {0, 1})
    for (const std::int64_t e : {3, 6, 10}) b->Args({p, e});
}

BENCHMARK(BM_AdaptiveRKF)->Apply(cases);
BENCHMARK(BM_FixedRKFSameAttempts)->Apply(cases);

}  // namespace

BENCHMARK_MAIN();
