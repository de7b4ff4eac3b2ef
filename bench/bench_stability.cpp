// The stability tab's regions: all seven evaluated and drawn at the size the picture has in the
// lab window at its default size (1280 x 860), and one method's region alone at that size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <numeric>

#include "core/method_table.h"
#include "lab/lab_window.h"
#include "lab/stability_region_view.h"
#include "lab/stability_tab.h"
#include "study/stability_region.h"

namespace {

std::vector<std::size_t> allMethods() {
  std::vector<std::size_t> all(kemi::kMethods.size());
  std::iota(all.begin(), all.end(), std::size_t{0});
  return all;
}

void BM_StabilityRegionsInDefaultWindow(benchmark::State& state) {
  QTemporaryDir dir;
  QSettings settings(dir.filePath(QStringLiteral("lab.ini")), QSettings::IniFormat);
  settings.setValue(QStringLiteral("convergence/largestN"), QStringLiteral("64"));
  kemi::lab::LabWindow window(settings);
  window.findChild<QTabWidget*>(QStringLiteral("tabs"))->setCurrentWidget(window.stabilityTab());
  window.show();
  QApplication::processEvents();
  kemi::lab::StabilityRegionView* view = window.stabilityTab()->regionView();
  const std::vector<std::size_t> all = allMethods();
  for (auto _ : state) {
    view->setMethods(all);  // forgets the regions: the paint evaluates all seven again
    view->repaint();
  }
  state.counters["width"] = view->width();
  state.counters["height"] = view->height();
  state.counters["plot_pixels"] = view->plane().width * view->plane().height;
}

void BM_RegionMask(benchmark::State& state) {
  const auto method = static_cast<std::size_t>(state.range(0));
  const kemi::study::PlaneGrid grid{-5.0, 1.0, -3.5, 3.5, 560, 680};
  for (auto _ : state) {
    std::vector<std::uint8_t> mask = kemi::study::regionMask(method, grid);
    benchmark::DoNotOptimize(mask.data());
  }
  state.SetLabel(std::string(kemi::kMethods[method].id));
}

}  // namespace

BENCHMARK(BM_StabilityRegionsInDefaultWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegionMask)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);
