// A system's step against one equation's, and the default sweep on the oscillator against the
// default classroom sweep.
#include <benchmark/benchmark.h>

#include <chrono>

#include "study/convergence.h"
#include "study/problem_steps.h"
#include "study/system_convergence.h"
#include "study/system_methods.h"
#include "study/system_steps.h"

namespace {

constexpr std::size_t kRK4 = 3;

// Per step: N = 2^20 steps of classroom's RK4 in the lab's store-free loop.
void BM_ClassroomRK4(benchmark::State& state) {
  const std::int64_t n = std::int64_t{1} << 20;
  const kemi::study::Problem classroom{kemi::study::Classroom{}, 0.0, -1.0, 1.0};
  for (auto _ : state) benchmark::DoNotOptimize(kemi::study::finalPoint(classroom, kRK4, n).y);
  state.SetItemsProcessed(state.iterations() * n);
}

// The same on the oscillator, a state of two.
void BM_OscillatorRK4(benchmark::State& state) {
  const std::int64_t n = std::int64_t{1} << 20;
  const kemi::study::SystemProblem p = kemi::study::systemProblem(kemi::study::Oscillator{});
  for (auto _ : state) benchmark::DoNotOptimize(kemi::study::systemFinalPoint(p, kRK4, n).y);
  state.SetItemsProcessed(state.iterations() * n);
}

template <class Sweep>
void timed(benchmark::State& state, Sweep&& sweep) {
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    sweep();
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
}

// The default sweeps: all methods up to N = 2^24, as `kemi-lab convergence` runs them.
void BM_ClassroomSweep(benchmark::State& state) {
  timed(state, [] {
    benchmark::DoNotOptimize(
        kemi::study::runConvergence({kemi::study::Classroom{}, 0.0, -1.0, 1.0},
                                    {1.0, std::int64_t{1} << 24, {0, 1, 2, 3, 4, 5, 6}, 0}));
  });
}

void BM_OscillatorSweep(benchmark::State& state) {
  const kemi::study::SystemProblem p = kemi::study::systemProblem(kemi::study::Oscillator{});
  const std::vector<std::size_t> all{
      0, 1, 2, 3, 4, 5, 6, kemi::study::kSymplecticEuler, kemi::study::kVerlet};
  timed(state, [&] {
    benchmark::DoNotOptimize(
        kemi::study::runSystemConvergence(p, {1.0, std::int64_t{1} << 24, all, 0}));
  });
}

}  // namespace

BENCHMARK(BM_ClassroomRK4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OscillatorRK4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClassroomSweep)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OscillatorSweep)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
