// The Solution picture as the window draws it after a change of view: the direction field
// computed again, then field, exact curve and the seven methods' polygons at N steps painted
// into a 960 x 640 image, on the classroom equation; and the check of a typed equation that
// runs on every keystroke.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <vector>

#include "core/equation.h"
#include "core/method_table.h"
#include "figures/solution_picture.h"
#include "lab/equation_check.h"

namespace {

using kemi::lab::SolutionCurve;

kemi::lab::SolutionScene classroomScene(std::int64_t n) {
  const double x1 = 1.0;
  const double h = x1 / static_cast<double>(n);
  kemi::lab::SolutionScene scene;
  scene.start = {0.0, -1.0};
  SolutionCurve exact{QStringLiteral("Exact solution"), {}, QColor(0x60, 0x60, 0x60)};
  for (int i = 0; i <= 400; ++i) {
    const double x = x1 * i / 400.0;
    exact.points.emplace_back(x, kemi::exactSolution(x));
  }
  scene.curves.push_back(exact);
  std::vector<double> xs(static_cast<std::size_t>(n) + 1);
  std::vector<double> ys(xs.size());
  for (std::size_t m = 0; m < kemi::kMethods.size(); ++m) {
    xs[0] = 0.0, ys[0] = -1.0;
    kemi::TableRanges ranges;
    kemi::kMethods[m].loop(xs.data(), ys.data(), n, h, ranges);
    SolutionCurve curve{QString::fromLatin1(kemi::kMethods[m].id.data()), {}, Qt::blue};
    curve.method = static_cast<int>(m);
    for (std::size_t i = 0; i < xs.size(); ++i) curve.points.emplace_back(xs[i], ys[i]);
    scene.curves.push_back(std::move(curve));
  }
  return scene;
}

void BM_SolutionPicture(benchmark::State& state) {
  const kemi::lab::SolutionScene scene = classroomScene(state.range(0));
  const kemi::lab::ViewBox box = kemi::lab::boxAround(scene);
  const QRectF area(0.0, 0.0, 960.0, 640.0);
  QImage image(960, 640, QImage::Format_ARGB32_Premultiplied);
  const kemi::lab::Slope slope = [](double x, double y) { return kemi::f1(x, y); };
  for (auto _ : state) {
    const auto field =
        kemi::lab::directionField(slope, kemi::lab::ViewTransform(box, kemi::lab::plotRectIn(area)),
                                  kemi::lab::kFieldColumns, kemi::lab::kFieldRows, 16.0);
    QPainter painter(&image);
    kemi::lab::drawSolution(painter, area, box, field, scene);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}

// One keystroke in the typed equation's entries: every entry checked again, the exact solution
// against the equation at its sixteen points included.
void BM_OwnEquationCheck(benchmark::State& state) {
  const kemi::lab::OwnEquationTexts texts{
      QStringLiteral("-50*(y - cos(x))"), QStringLiteral("0"), QStringLiteral("0"),
      state.range(0) != 0 ? QStringLiteral("(2500*cos(x) + 50*sin(x) - 2500*exp(-50*x))/2501")
                          : QString()};
  for (auto _ : state) {
    const kemi::lab::OwnEquationCheck check = kemi::lab::checkOwnEquation(texts);
    if (!check.problem) state.SkipWithError("the equation was refused");
    benchmark::DoNotOptimize(check.problem);
  }
}

}  // namespace

BENCHMARK(BM_OwnEquationCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SolutionPicture)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
