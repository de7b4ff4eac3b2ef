// The lab's loops and sweeps: the store-free loop per step against the run's loop, and the
// sweeps' wall time against the ideal, the larger of their longest task and the sum of all
// their tasks' times spread over the cores.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "core/method_table.h"
#include "study/convergence.h"
#include "study/problem_steps.h"

namespace {

using namespace kemi;

void perStep(benchmark::State& state, std::int64_t n) {
  state.counters["per_step"] =
      benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
  state.SetLabel(std::string(kMethods[state.range(0)].id));
}

// The run's loop into tables written once before timing.
void BM_RunLoop(benchmark::State& state) {
  const std::int64_t n = state.range(1);
  std::vector<double> X(n + 2, 1.0), Y(n + 2, 1.0);
  X[0] = 0.0;
  Y[0] = -1.0;
  TableRanges ranges;
  for (auto _ : state) {
    benchmark::DoNotOptimize(kMethods[state.range(0)].loop(X.data(), Y.data(), n, 1.0 / n, ranges));
    benchmark::ClobberMemory();
  }
  perStep(state, n);
}

void BM_FinalLoop(benchmark::State& state) {
  const std::int64_t n = state.range(1);
  const auto method = static_cast<std::size_t>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(study::finalPoint(study::Problem{}, method, n));
  perStep(state, n);
}

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// All seven methods at x1 1 up to 2^range(0). Reports the ideal: every task of a row the sweep
// kept, timed alone, then the larger of the longest and the sum over the cores.
void BM_Sweep(benchmark::State& state) {
  study::ConvergenceSettings settings{1.0, std::int64_t{1} << state.range(0), {}, 0};
  for (std::size_t m = 0; m < kMethods.size(); ++m) settings.methods.push_back(m);
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  std::vector<study::ConvergenceRow> rows;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    rows = study::runConvergence(study::Problem{}, settings).rows;
    state.SetIterationTime(seconds(start));
  }
  double longest = 0.0, sum = 0.0;
  for (const study::ConvergenceRow& row : rows) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(study::finalPoint(study::Problem{}, row.method, row.N));
    const double t = seconds(start);
    longest = std::max(longest, t);
    sum += t;
  }
  const double ideal = std::max(longest, sum / cores);
  state.counters["cores"] = cores;
  state.counters["rows"] = static_cast<double>(rows.size());
  state.counters["longest_s"] = longest;
  state.counters["sum_s"] = sum;
  state.counters["ideal_s"] = ideal;
}

void methodsAndSizes(benchmark::internal::Benchmark* b) {
  for (int m = 0; m < static_cast<int>(kMethods.size()); ++m)
    for (std::int64_t n : {1'000'000, 10'000'000}) b->Args({m, n});
  b->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_RunLoop)->Apply(methodsAndSizes);
BENCHMARK(BM_FinalLoop)->Apply(methodsAndSizes);
BENCHMARK(BM_Sweep)->Arg(24)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sweep)->Arg(30)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
