// The plot's share of a run: Graphic drawing an RK4 solution of N steps on the Qt plot area
// (Picture1's size), against the RK4 run that fills the tables for the same N.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "core/calculation.h"
#include "plot/graphic.h"
#include "ui/plot_area.h"

namespace {

using namespace kemi;

struct NoPlot : RunView {
  void showStepSize(const std::string&) override {}
  void appendLines(const std::array<std::string, 4>&) override {}
  std::optional<std::string> redraw(const Calculation&, double&, double&) override { return {}; }
};

const Entries entriesFor(std::int64_t n) {
  return {"0", "-1", "1", std::to_string(n)};
}

void BM_RunRK4(benchmark::State& state) {
  Calculation calc;
  NoPlot view;
  for (auto _ : state)
    benchmark::DoNotOptimize(calc.run(entriesFor(state.range(0)), kMethods[3], view));
}

void BM_GraphicRK4(benchmark::State& state) {
  Calculation calc;
  NoPlot view;
  calc.run(entriesFor(state.range(0)), kMethods[3], view);
  PlotArea area;
  area.resize(321, 249);  // Picture1: 4815 x 3735 twips
  for (auto _ : state) {
    double x0 = 0.0, x1 = 1.0;
    benchmark::DoNotOptimize(Graphic(area, plotInput(calc), x0, x1));
    benchmark::DoNotOptimize(area.image().constBits());
  }
}

// The plot's range before it draws: from the ranges the run found, and by reading the tables as
// it must for tables that come without them.
void BM_PlotFrameRK4(benchmark::State& state) {
  Calculation calc;
  NoPlot view;
  calc.run(entriesFor(state.range(0)), kMethods[3], view);
  PlotInput input = plotInput(calc);
  if (state.range(1) == 0) input.ranges.reset();
  state.SetLabel(state.range(1) ? "run's ranges" : "table scan");
  for (auto _ : state) benchmark::DoNotOptimize(plotFrame(input, 1.0));
}

// The same calls on a surface that draws nothing: what Graphic costs before any pixel.
struct NullSurface : DrawingSurface {
  void Clear() override {}
  void SetScale(double, double, double, double) override {}
  void DrawLine(float xa, float, float, float, std::optional<Rgb>) override {
    benchmark::DoNotOptimize(xa);
  }
};

void BM_GraphicNullSurfaceRK4(benchmark::State& state) {
  Calculation calc;
  NoPlot view;
  calc.run(entriesFor(state.range(0)), kMethods[3], view);
  NullSurface surface;
  for (auto _ : state) {
    double x0 = 0.0, x1 = 1.0;
    benchmark::DoNotOptimize(Graphic(surface, plotInput(calc), x0, x1));
  }
}

}  // namespace

BENCHMARK(BM_PlotFrameRK4)
    ->ArgsProduct({{1'000'000, 10'000'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GraphicNullSurfaceRK4)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunRK4)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GraphicRK4)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
