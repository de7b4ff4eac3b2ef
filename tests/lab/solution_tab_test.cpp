// The equation picker and the Solution tab in the window: a fault in a typed equation is told
// under its entry and nothing runs on it, every tab follows the chosen equation, a click in the
// picture moves the start there, and the picture exports as PNG and SVG.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <cmath>

#include "core/method_table.h"
#include "lab/convergence_model.h"
#include "lab/convergence_tab.h"
#include "lab/equation_check.h"
#include "lab/equation_picker.h"
#include "lab/solution_tab.h"
#include "lab/solution_view.h"
#include "lab/stability_region_view.h"
#include "lab/stability_tab.h"
#include "lab/step_table_model.h"
#include "lab/steps_tab.h"
#include "lab/text_table_model.h"
#include "study/problem_steps.h"
#include "study/solution.h"
#include "study/step_table.h"
#include "tests/lab/lab_test_support.h"

namespace kemi::lab {
namespace {

using testing::TestWindow;

TEST(EquationCheckTest, EachFaultIsToldUnderItsEntryAndStopsTheEquation) {
  struct Case {
    const char* f;
    const char* x0;
    const char* y0;
    const char* exact;
    int faulty;  // 0 f, 1 x0, 2 y0, 3 exact; -1 none
    const char* words;
  };
  const Case cases[] = {
      {"x +", "0", "1", "", 0, "position"},
      {"2x", "0", "1", "", 0, "2*x"},
      {"x + z", "0", "1", "", 0, "'z'"},
      {"  ", "0", "1", "", 0, "empty"},
      {"1/x", "0", "1", "", 0, "finite"},
      {"x + y", "a", "1", "", 1, "Not a number"},
      {"x + y", "0", "", "", 2, "Enter y0"},
      {"-2*x - y", "0", "-1", "2 - 2*x - 3*exp(x)", 3, "does not solve"},
      {"-2*x - y", "0", "-1", "2 - 2*x - 3*exp(-x", 3, "position"},
      {"y", "0", "2", "exp(x)", 3, "y0"},
      {"-2*x - y", "0", "-1", "2 - 2*x - 3*exp(-x)", -1, ""},
      {"y", "0.5", "1", "", -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.f) + " | " + c.x0 + " | " + c.y0 + " | " + c.exact);
    const OwnEquationCheck check =
        checkOwnEquation({QString::fromLatin1(c.f), QString::fromLatin1(c.x0),
                          QString::fromLatin1(c.y0), QString::fromLatin1(c.exact)});
    const QString reasons[] = {check.fReason, check.x0Reason, check.y0Reason, check.exactReason};
    for (int i = 0; i < 4; ++i)
      if (i == c.faulty)
        EXPECT_TRUE(reasons[i].contains(QLatin1String(c.words))) << reasons[i].toStdString();
      else
        EXPECT_TRUE(reasons[i].isEmpty()) << i << ": " << reasons[i].toStdString();
    EXPECT_EQ(check.problem.has_value(), c.faulty < 0);
  }
}

std::string formulaOf(const SolutionTab* tab) {
  return study::equationFormula(tab->request().problem.equation);
}

TEST(SolutionTabTest, AFaultyTypedEquationNeverRuns) {
  TestWindow w;
  auto* choice = w.window->findChild<QComboBox*>(QStringLiteral("equation"));
  choice->setCurrentIndex(choice->findData(QStringLiteral("typed")));
  QSignalSpy changed(w.window->equationPicker(), &EquationPicker::problemChanged);
  auto* f = w.window->findChild<QLineEdit*>(QStringLiteral("equationF"));
  auto* reason = w.window->findChild<QLabel*>(QStringLiteral("equationFReason"));
  f->clear();
  QTest::keyClicks(f, QStringLiteral("x + "));
  EXPECT_FALSE(reason->text().isEmpty());
  w.window->equationPicker()->applyNow();
  EXPECT_TRUE(changed.isEmpty());
  EXPECT_EQ(formulaOf(w.window->solutionTab()), "-2*x - y");
  QTest::keyClicks(f, QStringLiteral("y"));
  EXPECT_TRUE(reason->text().isEmpty());
  w.window->equationPicker()->applyNow();
  ASSERT_EQ(changed.size(), 1);
  EXPECT_EQ(formulaOf(w.window->solutionTab()), "x + y");
  EXPECT_TRUE(w.window->windowTitle().contains(QStringLiteral("x + y")));
}

TEST(SolutionTabTest, EveryTabFollowsTheEquation) {
  struct Case {
    const char* id;
    double lambdaMin;  // NaN: not checked
  };
  const Case cases[] = {{"stiff", -50.0}, {"riccati", NAN}, {"gauss", NAN}, {"classroom", -1.0}};
  TestWindow w;
  auto* choice = w.window->findChild<QComboBox*>(QStringLiteral("equation"));
  QSignalSpy lambdas(w.window.get(), &LabWindow::lambdaMinChanged);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    lambdas.clear();
    choice->setCurrentIndex(choice->findData(QString::fromLatin1(c.id)));
    const study::Problem preset = study::presetProblem(*study::presetById(c.id));
    const study::Problem& shown = w.window->solutionTab()->request().problem;
    EXPECT_EQ(study::problemTitle(shown), study::problemTitle(preset));
    EXPECT_TRUE(w.window->windowTitle().contains(equationCaption(preset)));
    EXPECT_TRUE(
        w.window->solutionTab()->view()->accessibleDescription().contains(equationCaption(preset)));
    // The steps tab's table is the study library's for this equation and its entries.
    study::Problem steps = preset;
    steps.x1 = w.window->findChild<QLineEdit*>(QStringLiteral("stepsX1"))->text().toDouble();
    const auto n = w.window->findChild<QLineEdit*>(QStringLiteral("stepsN"))->text().toLongLong();
    const study::TextTable expected = study::stepText(study::buildStepTable(steps, 0, n));
    EXPECT_EQ(w.window->stepsTab()->model()->table().rows, expected.rows);
    // The convergence tab sweeps it: the rows are the study library's for it.
    ConvergenceTab* convergence = w.window->convergenceTab();
    if (convergence->running()) {
      QSignalSpy finished(convergence, &ConvergenceTab::sweepFinished);
      ASSERT_TRUE(finished.wait(30000));
    }
    study::ConvergenceSettings settings;
    settings.x1 = preset.x1;
    settings.maxN = 64;
    settings.methods = {0, 1, 2, 3, 4, 5, 6};
    EXPECT_EQ(convergence->model()->textTable().rows,
              study::convergenceText(study::runConvergence(preset, settings).rows).rows);
    if (!std::isnan(c.lambdaMin)) {
      ASSERT_EQ(lambdas.size(), 1);
      EXPECT_EQ(lambdas.front().front().toDouble(), c.lambdaMin);
      // The stability picture marks h*lambda with the Solution tab's step size.
      const study::Problem& p = w.window->solutionTab()->request().problem;
      const double h = (p.x1 - p.x0) / static_cast<double>(w.window->solutionTab()->request().n);
      EXPECT_TRUE(w.window->stabilityTab()->regionView()->accessibleDescription().contains(
          QStringLiteral("(h = %1, \u03bb = %2)")
              .arg(QString::fromStdString(study::shortestText(h)),
                   QString::fromStdString(study::shortestText(c.lambdaMin)))));
    }
  }
}

TEST(SolutionTabTest, AClickMovesTheStartAndEveryCurveStartsThere) {
  TestWindow w;
  SolutionTab* tab = w.window->solutionTab();
  SolutionView* view = tab->view();
  for (const QPointF at : {QPointF(0.5, -0.9), QPointF(0.1, -0.85), QPointF(0.8, -1.05)}) {
    QTest::mouseClick(view, Qt::LeftButton, {}, view->pixelOf(at).toPoint());
    const study::Problem& p = tab->request().problem;
    EXPECT_NEAR(p.x0, at.x(), 0.005);
    EXPECT_NEAR(p.y0, at.y(), 0.005);
    EXPECT_NEAR(p.x1 - p.x0, 1.0, 1e-12);  // the interval keeps its length
    for (const SolutionCurve& curve : tab->result().scene.curves) {
      EXPECT_EQ(curve.points.front().x(), p.x0) << curve.name.toStdString();
      EXPECT_NEAR(curve.points.front().y(), p.y0, 1e-12) << curve.name.toStdString();
    }
    EXPECT_TRUE(view->accessibleDescription().contains(equationCaption(p)));
  }
}

// The table under the picture holds each polygon's end as the study library computes it, its
// error against the solution there, and the description says the same errors.
TEST(SolutionTabTest, TableAndDescriptionHoldEachMethodsEndAndError) {
  const char* ids[] = {"classroom", "stiff", "riccati", "logistic"};
  for (const char* id : ids) {
    SCOPED_TRACE(id);
    const SolutionRequest request{study::presetProblem(*study::presetById(id)), 12, {0, 3, 6}};
    const SolutionResult result = solveForPicture(request);
    const study::TextTable table = solutionText(request, result);
    const std::vector<double> xs = study::sampleAbscissae(request.problem, kSolutionSamples);
    const study::Solution solution(request.problem, xs);
    const QString description = describeSolution(request, result);
    ASSERT_EQ(table.rows.size(), request.methods.size());
    for (std::size_t i = 0; i < request.methods.size(); ++i) {
      const study::Polygon p = study::polygon(request.problem, request.methods[i], request.n);
      const double there = solution.at(p.x.back());
      const double error = std::abs(p.y.back() - there);
      EXPECT_EQ(table.rows[i][3], study::shortestText(p.y.back()));
      EXPECT_EQ(table.rows[i][4], study::shortestText(there));
      EXPECT_EQ(table.rows[i][5], study::shortestText(error));
      EXPECT_TRUE(description.contains(QStringLiteral("%1 %2").arg(
          QString::fromLatin1(kMethods[request.methods[i]].id.data()), roundedText(error, 3))))
          << description.toStdString();
    }
  }
}

TEST(SolutionTabTest, TheEquationIsRememberedBetweenSessions) {
  TestWindow w;
  auto* choice = w.window->findChild<QComboBox*>(QStringLiteral("equation"));
  choice->setCurrentIndex(choice->findData(QStringLiteral("typed")));
  auto* f = w.window->findChild<QLineEdit*>(QStringLiteral("equationF"));
  f->setText(QStringLiteral("x*y"));
  w.window->equationPicker()->applyNow();
  w.window->close();
  LabWindow again(w.settings);
  EXPECT_EQ(study::equationFormula(again.equationPicker()->problem().equation), "x*y");
  EXPECT_EQ(formulaOf(again.solutionTab()), "x*y");
  EXPECT_TRUE(again.windowTitle().contains(QStringLiteral("x*y")));
}

TEST(SolutionTabTest, ThePictureExportsAsPngAndSvg) {
  const std::pair<const char*, QByteArray> cases[] = {{"solution.png", QByteArray("\x89PNG")},
                                                      {"solution.svg", QByteArray("<svg")}};
  TestWindow w;
  for (const auto& [name, mark] : cases) {
    const QString path = w.dir.filePath(QString::fromLatin1(name));
    QString error;
    ASSERT_TRUE(w.window->exportChart(path, error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains(mark)) << name;
  }
}

}  // namespace
}  // namespace kemi::lab
