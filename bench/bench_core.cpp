// Cost of the integration per step: the step loop alone against a plain reference loop, and whole
// runs from entry texts to the four lines, with reused tables and with fresh ones.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/calculation.h"
#include "core/method_table.h"

namespace {

using namespace kemi;

// The reference: the same step, the same accumulation and stores, no range check, into tables
// that were allocated and written once before timing.
template <StepMethod Step>
void referenceLoop(double* X, double* Y, std::int64_t steps, double h) {
  double x = X[0], y = Y[0];
  for (std::int64_t i = 1; i <= steps; ++i) {
    double ynew = 0.0;
    Step(x, y, h, ynew);
    x = x + h;
    X[i] = x;
    Y[i] = ynew;
    y = ynew;
  }
}

using ReferenceLoop = void (*)(double*, double*, std::int64_t, double);
constexpr std::array<ReferenceLoop, kMethodCount> kReference{
    &referenceLoop<Euler>, &referenceLoop<EulerEP>, &referenceLoop<EulerMP>, &referenceLoop<RK4>,
    &referenceLoop<RKF>,   &referenceLoop<RKM>,     &referenceLoop<RK4G>};

struct WarmTables {
  explicit WarmTables(std::int64_t n) : X(n + 2, 1.0), Y(n + 2, 1.0) {
    X[0] = 0.0;
    Y[0] = -1.0;
  }
  std::vector<double> X, Y;
};

void perStep(benchmark::State& state, std::int64_t n) {
  // Seconds per step, printed with an SI prefix (15.6n is 15.6 ns).
  state.counters["per_step"] =
      benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
  state.SetLabel(std::string(kMethods[state.range(0)].reportName));
}

void BM_Reference(benchmark::State& state) {
  const std::int64_t n = state.range(1);
  WarmTables t(n);
  for (auto _ : state) {
    kReference[state.range(0)](t.X.data(), t.Y.data(), n, 1.0 / n);
    benchmark::DoNotOptimize(t.Y.data());
    benchmark::ClobberMemory();
  }
  perStep(state, n);
}

void BM_StepLoop(benchmark::State& state) {
  const std::int64_t n = state.range(1);
  WarmTables t(n);
  TableRanges ranges;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        kMethods[state.range(0)].loop(t.X.data(), t.Y.data(), n, 1.0 / n, ranges));
    benchmark::ClobberMemory();
  }
  perStep(state, n);
}

struct NoView : RunView {
  void showStepSize(const std::string&) override {}
  void appendLines(const std::array<std::string, 4>& lines) override {
    benchmark::DoNotOptimize(lines[0].data());
  }
  std::optional<std::string> redraw(const Calculation&, double&, double&) override { return {}; }
};

// The same N again, as when a student compares the methods: the tables are reused.
void BM_RunRepeated(benchmark::State& state) {
  const std::int64_t n = state.range(1);
  const Entries entries{"0", "-1", "1", std::to_string(n)};
  Calculation calc;
  NoView view;
  calc.run(entries, kMethods[state.range(0)], view);
  for (auto _ : state) benchmark::DoNotOptimize(calc.run(entries, kMethods[state.range(0)], view));
  perStep(state, n);
}

// A first run at this N: the tables are new memory.
void BM_RunFirst(benchmark::State& state) {
  const std::int64_t n = state.range(1);
  const Entries entries{"0", "-1", "1", std::to_string(n)};
  NoView view;
  for (auto _ : state) {
    state.PauseTiming();
    auto calc = std::make_unique<Calculation>();
    state.ResumeTiming();
    const RunResult result = calc->run(entries, kMethods[state.range(0)], view);
    state.PauseTiming();
    if (!result.completed) state.SkipWithError(result.cause.c_str());
    calc.reset();
    state.ResumeTiming();
  }
  perStep(state, n);
}

void methodsAndSizes(benchmark::internal::Benchmark* b) {
  for (int m = 0; m < static_cast<int>(kMethods.size()); ++m)
    for (std::int64_t n : {1'000'000, 10'000'000}) b->Args({m, n});
  b->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_Reference)->Apply(methodsAndSizes);
BENCHMARK(BM_StepLoop)->Apply(methodsAndSizes);
BENCHMARK(BM_RunRepeated)->Apply(methodsAndSizes);
BENCHMARK(BM_RunFirst)->Apply(methodsAndSizes);
// The largest runs a lesson may ask for: 10^8 RK4 steps in 1.6 GB of tables, once.
BENCHMARK(BM_RunFirst)->Args({3, 100'000'000})->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
