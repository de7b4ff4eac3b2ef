// Equations in the lab: each preset's store-free loop against a plain loop with the same f
// written inline, classroom's loop through the problem against the loop of the run's methods,
// and a typed f's RK4 step against four muParser evaluations plus the preset's RK4 step.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "core/method_table.h"
#include "study/final_point.h"
#include "study/problem_steps.h"
#include "study/typed_equation.h"

namespace {

using namespace kemi;
using namespace kemi::study;

constexpr std::int64_t kSteps = 1'000'000;
constexpr std::size_t kEuler = 0;
constexpr std::size_t kRK4 = 3;

void perStep(benchmark::State& state, std::int64_t n, const std::string& label) {
  state.counters["per_step"] =
      benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
  state.SetLabel(label);
}

// The study's loop on a preset, x1 its suggested one.
template <class Preset>
void BM_PresetLoop(benchmark::State& state) {
  const auto method = static_cast<std::size_t>(state.range(0));
  const Problem p = presetProblem(Preset{});
  for (auto _ : state) benchmark::DoNotOptimize(finalPoint(p, method, kSteps));
  perStep(state, kSteps, std::string(Preset::info.id) + " " + std::string(kMethods[method].id));
}

// A plain loop: Euler or classical RK4 with f written in the loop, same start, h and checks.
template <bool RK4, class F>
double plainSteps(double x0, double y0, double h, F f) {
  double x = x0;
  double y = y0;
  for (std::int64_t i = 1; i <= kSteps; ++i) {
    double ynew = 0.0;
    if constexpr (RK4) {
      const double k1 = h * f(x, y);
      const double k2 = h * f(x + h / 2.0, y + k1 / 2.0);
      const double k3 = h * f(x + h / 2.0, y + k2 / 2.0);
      const double k4 = h * f(x + h, y + k3);
      ynew = y + (((k1 + 2.0 * k2) + 2.0 * k3) + k4) / 6.0;
    } else {
      ynew = y + h * f(x, y);
    }
    const double xnew = x + h;
    if (!(std::isfinite(ynew) && std::isfinite(xnew))) break;
    x = xnew;
    y = ynew;
  }
  return y;
}

template <class F>
void plainLoop(benchmark::State& state, double x0, double y0, double x1, F f) {
  const bool rk4 = state.range(0) == static_cast<std::int64_t>(kRK4);
  const double h = (x1 - x0) / static_cast<double>(kSteps);
  for (auto _ : state)
    benchmark::DoNotOptimize(rk4 ? plainSteps<true>(x0, y0, h, f)
                                 : plainSteps<false>(x0, y0, h, f));
  perStep(state, kSteps, rk4 ? "RK4" : "Euler");
}

void BM_InlineClassroom(benchmark::State& s) {
  plainLoop(s, 0.0, -1.0, 1.0, [](double x, double y) { return (-2.0 * x) - y; });
}
void BM_InlineGrowth(benchmark::State& s) {
  plainLoop(s, 0.0, 1.0, 1.0, [](double, double y) { return y; });
}
void BM_InlineLogistic(benchmark::State& s) {
  plainLoop(s, 0.0, 0.1, 4.0, [](double, double y) { return y * (1.0 - y); });
}
void BM_InlineGauss(benchmark::State& s) {
  plainLoop(s, 0.0, 1.0, 2.0, [](double x, double y) { return (-2.0 * x) * y; });
}
void BM_InlineStiff(benchmark::State& s) {
  plainLoop(s, 0.0, 0.0, 1.0, [](double x, double y) { return -50.0 * (y - std::cos(x)); });
}
void BM_InlineRiccati(benchmark::State& s) {
  plainLoop(s, 0.0, 1.0, 0.9, [](double x, double y) { return x * x + y * y; });
}

// Classroom through the run's own steps on f1 (before equations came), in the same loop.
void BM_ClassroomRunMethodLoop(benchmark::State& state) {
  const auto method = static_cast<std::size_t>(state.range(0));
  const double h = stepSize(0.0, 1.0, static_cast<double>(kSteps));
  for (auto _ : state)
    benchmark::DoNotOptimize(withFormula(method, [&](auto formula) {
      return finalSteps(kStepOnF1<decltype(formula)>, 0.0, -1.0, h, kSteps, {}, {});
    }));
  perStep(state, kSteps, std::string(kMethods[method].id));
}

// A typed f: its RK4 step, and one evaluation of the same expression.
const char* const kTypedFormula = "-50*(y - cos(x))";
constexpr std::int64_t kTypedSteps = 100'000;

void BM_TypedRK4Step(benchmark::State& state) {
  const Problem p{TypedEquation(kTypedFormula, ""), 0.0, 0.0, 1.0};
  for (auto _ : state) benchmark::DoNotOptimize(finalPoint(p, kRK4, kTypedSteps));
  perStep(state, kTypedSteps, kTypedFormula);
}

void BM_MuParserEvaluation(benchmark::State& state) {
  const Evaluator f(kTypedFormula, true);
  double x = 0.0;
  double y = 0.0;
  for (auto _ : state) {
    y = y + 1e-9 * f(x, y);  // each evaluation depends on the last, as in a step
    x += 1e-9;
  }
  benchmark::DoNotOptimize(y);
}

void BM_StiffRK4Step(benchmark::State& state) {
  const Problem p = presetProblem(Stiff{});
  for (auto _ : state) benchmark::DoNotOptimize(finalPoint(p, kRK4, kTypedSteps));
  perStep(state, kTypedSteps, "stiff RK4");
}

void eulerAndRK4(benchmark::internal::Benchmark* b) {
  b->Arg(static_cast<std::int64_t>(kEuler))->Arg(static_cast<std::int64_t>(kRK4));
  b->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_ClassroomRunMethodLoop)->Apply(eulerAndRK4);
BENCHMARK(BM_PresetLoop<Classroom>)->Apply(eulerAndRK4);
BENCHMARK(BM_InlineClassroom)->Apply(eulerAndRK4);
BENCHMARK(BM_PresetLoop<Growth>)->Apply(eulerAndRK4);
BENCHMARK(BM_InlineGrowth)->Apply(eulerAndRK4);
BENCHMARK(BM_PresetLoop<Logistic>)->Apply(eulerAndRK4);
BENCHMARK(BM_InlineLogistic)->Apply(eulerAndRK4);
BENCHMARK(BM_PresetLoop<Gauss>)->Apply(eulerAndRK4);
BENCHMARK(BM_InlineGauss)->Apply(eulerAndRK4);
BENCHMARK(BM_PresetLoop<Stiff>)->Apply(eulerAndRK4);
BENCHMARK(BM_InlineStiff)->Apply(eulerAndRK4);
BENCHMARK(BM_PresetLoop<Riccati>)->Apply(eulerAndRK4);
BENCHMARK(BM_InlineRiccati)->Apply(eulerAndRK4);
BENCHMARK(BM_TypedRK4Step)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StiffRK4Step)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MuParserEvaluation);

BENCHMARK_MAIN();
