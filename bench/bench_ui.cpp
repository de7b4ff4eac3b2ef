// The windows' share of the time: start-up to the first painted main window, and CALCULATE from
// the click to the painted plot against the core run alone for the same RK4 run, on Qt's
// offscreen platform.
#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>
#include <cstdlib>
#include <string>

#include "core/calculation.h"
#include "core/method_table.h"
#include "ui/form1.h"

namespace {

using namespace kemi;

// Shows nothing: the core run without the window's list and plot.
class NoView : public RunView {
 public:
  void showStepSize(const std::string&) override {}
  void appendLines(const std::array<std::string, 4>&) override {}
  std::optional<std::string> redraw(const Calculation&, double&, double&) override {
    return std::nullopt;
  }
};

const MethodInfo& rk4() {
  for (const MethodInfo& m : kMethods) {
    if (m.optionName == "Option_RK4") return m;
  }
  std::abort();
}

void BM_StartUpToPaintedWindow(benchmark::State& state) {
  for (auto _ : state) {
    Form1 form;
    form.show();
    form.repaint();
    benchmark::DoNotOptimize(form.isVisible());
  }
}

void BM_CoreRunRK4(benchmark::State& state) {
  const Entries entries{"0", "-1", "1", std::to_string(state.range(0))};
  Calculation calc;
  NoView view;
  calc.run(entries, rk4(), view);  // both sides time runs that reuse the tables
  for (auto _ : state) {
    const RunResult result = calc.run(entries, rk4(), view);
    if (!result.completed) state.SkipWithError(result.cause.c_str());
    benchmark::DoNotOptimize(calc.Y().data());
  }
}

// Click on CALCULATE, the run with its lines and plot, and the window painted; as a student
// comparing methods does, after a first run at this N.
void BM_CalculateEndToEndRK4(benchmark::State& state) {
  Form1 form;
  form.setStopReporter(
      [&state](const QString& cause) { state.SkipWithError(cause.toStdString().c_str()); });
  form.show();
  form.findChild<QLineEdit*>(QStringLiteral("Text_x1"))->setText(QStringLiteral("1"));
  form.findChild<QLineEdit*>(QStringLiteral("Text_N"))->setText(QString::number(state.range(0)));
  form.findChild<QRadioButton*>(QStringLiteral("Option_RK4"))->setChecked(true);
  auto* calculate = form.findChild<QPushButton*>(QStringLiteral("Command1"));
  QTest::mouseClick(calculate, Qt::LeftButton);
  for (auto _ : state) {
    QTest::mouseClick(calculate, Qt::LeftButton);
    form.repaint();
  }
}

BENCHMARK(BM_StartUpToPaintedWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CoreRunRK4)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculateEndToEndRK4)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
