// Kemi Lab's window against its work, on Qt's offscreen platform: start-up to the first painted
// window, the window opened until its default sweep's chart is complete against the same sweep
// alone (what `kemi-lab convergence` computes), and the longest stall of the window's thread
// during that sweep, seen as the largest gap between ticks of a 10 ms timer.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <memory>
#include <numeric>

#include "core/method_table.h"
#include "lab/convergence_tab.h"
#include "lab/lab_window.h"
#include "study/convergence.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Settings {
  QTemporaryDir dir;
  QSettings settings{dir.filePath(QStringLiteral("lab.ini")), QSettings::IniFormat};
};

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_LabStartUpToPaintedWindow(benchmark::State& state) {
  for (auto _ : state) {
    Settings s;
    const auto start = Clock::now();
    auto window = std::make_unique<kemi::lab::LabWindow>(s.settings);
    window->show();
    window->repaint();
    state.SetIterationTime(secondsSince(start));
    window->close();  // stops the opening sweep; not timed
  }
}

void BM_LabWindowDefaultSweep(benchmark::State& state) {
  double worstGap = 0.0;
  double worstAt = 0.0;
  for (auto _ : state) {
    Settings s;
    const auto start = Clock::now();
    QElapsedTimer sinceTick;
    double largestGap = 0.0;
    double largestAt = 0.0;  // ms after the window was created
    QTimer ticks;
    ticks.setInterval(10);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
      const double gap = static_cast<double>(sinceTick.nsecsElapsed()) / 1e6;
      if (gap > largestGap) largestGap = gap, largestAt = secondsSince(start) * 1e3;
      sinceTick.restart();
    });
    kemi::lab::LabWindow window(s.settings);
    QSignalSpy finished(window.convergenceTab(), &kemi::lab::ConvergenceTab::sweepFinished);
    window.show();
    window.repaint();  // the first paint is start-up; the ticks watch the sweep that follows
    sinceTick.start();
    ticks.start();
    if (!finished.wait(600000)) state.SkipWithError("the sweep did not finish");
    QCoreApplication::processEvents();  // the last rows' repaint
    state.SetIterationTime(secondsSince(start));
    ticks.stop();
    if (largestGap > worstGap) worstGap = largestGap, worstAt = largestAt;
  }
  state.counters["max_tick_gap_ms"] = worstGap;
  state.counters["gap_ends_at_ms"] = worstAt;
}

void BM_SweepAlone(benchmark::State& state) {
  kemi::study::ConvergenceSettings settings;
  settings.methods.resize(kemi::kMethods.size());
  std::iota(settings.methods.begin(), settings.methods.end(), std::size_t{0});
  for (auto _ : state) {
    const auto start = Clock::now();
    const kemi::study::ConvergenceResult result =
        kemi::study::runConvergence(kemi::study::Problem{}, settings);
    benchmark::DoNotOptimize(result.rows.data());
    state.SetIterationTime(secondsSince(start));
  }
}

}  // namespace

BENCHMARK(BM_LabStartUpToPaintedWindow)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepAlone)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LabWindowDefaultSweep)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
