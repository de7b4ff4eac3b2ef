// The lab window's entries, exports and copy: refused entries show a reason and disable Run, a
// failed export leaves an existing file as it was, Copy gives the selected cells with a header,
// the steps and stability tables are the command line's, and the tabs follow the equation's
// start and solution.
#include <gtest/gtest.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>

#include <sys/resource.h>

#include <csignal>

#include "lab/chart_file.h"
#include "lab/convergence_tab.h"
#include "lab/equation_picker.h"
#include "lab/stability_tab.h"
#include "lab/step_table_model.h"
#include "lab/steps_tab.h"
#include "lab/text_table_model.h"
#include "study/problem_stability.h"
#include "study/stability.h"
#include "study/step_table.h"
#include "tests/lab/lab_test_support.h"

namespace kemi::lab {
namespace {

using testing::TestWindow;

struct BadEntry {
  const char* entry;  // object name of the QLineEdit, or "" for unchecking every method
  const char* text;
};

TEST(LabWindowTest, RefusedEntriesShowTheirReasonAndDisableRun) {
  const BadEntry cases[] = {
      {"x1", "abc"},
      {"x1", "1e"},
      {"x1", "0,5"},
      {"x1", ""},
      {"x1", "0"},
      {"x1", "inf"},
      {"largestN", "0"},
      {"largestN", "1.5"},
      {"largestN", "2147483647"},
      {"largestN", "x"},
      {"", ""},
      {"stepsX1", "-0"},
      {"stepsN", "100001"},
      {"stepsN", "0"},
  };
  TestWindow w;
  ConvergenceTab* convergence = w.window->convergenceTab();
  StepsTab* steps = w.window->stepsTab();
  for (const BadEntry& c : cases) {
    SCOPED_TRACE(std::string(c.entry) + " = '" + c.text + "'");
    const QString name = QString::fromLatin1(c.entry);
    const bool onSteps = name.startsWith(QLatin1String("steps"));
    QWidget* tab = onSteps ? static_cast<QWidget*>(steps) : convergence;
    const auto canRun = [&] { return onSteps ? steps->canRun() : convergence->canRun(); };
    QSignalSpy finished(convergence, &ConvergenceTab::sweepFinished);
    if (convergence->running()) {
      ASSERT_TRUE(finished.wait(10000));
    }
    ASSERT_TRUE(canRun());
    QList<QCheckBox*> boxes =
        convergence->findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^method_")));
    if (name.isEmpty()) {
      for (QCheckBox* box : boxes) box->setChecked(false);
      EXPECT_FALSE(canRun());
      EXPECT_FALSE(tab->findChild<QLabel*>(QStringLiteral("methodsReason"))->text().isEmpty());
      for (QCheckBox* box : boxes) box->setChecked(true);
    } else {
      auto* edit = tab->findChild<QLineEdit*>(name);
      const QString good = edit->text();
      edit->setText(QString::fromLatin1(c.text));
      EXPECT_FALSE(canRun());
      EXPECT_FALSE(tab->findChild<QLabel*>(name + QStringLiteral("Reason"))->text().isEmpty());
      edit->setText(good);
      EXPECT_TRUE(tab->findChild<QLabel*>(name + QStringLiteral("Reason"))->text().isEmpty());
    }
    EXPECT_TRUE(canRun());
  }
}

TEST(LabWindowTest, FailedExportsLeaveTheExistingFile) {
  TestWindow w;
  const QString existing = w.dir.filePath(QStringLiteral("chart.txt"));
  QFile file(existing);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("keep me");
  file.close();
  QString error;
  EXPECT_FALSE(w.window->exportChart(existing, error));  // neither .png nor .svg
  EXPECT_FALSE(error.isEmpty());
  const QString inFolder = w.dir.filePath(QStringLiteral("folder.csv"));
  ASSERT_TRUE(QDir(w.dir.path()).mkdir(QStringLiteral("folder.csv")));
  error.clear();
  EXPECT_FALSE(w.window->exportTable(inFolder, error));  // a folder stands in the way
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(w.window->exportTable(w.dir.filePath(QStringLiteral("no/such/x.csv")), error));
  // A write cut short, as on a full disk: here by a file size limit of 100 bytes.
  rlimit before{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = before;
  small.rlim_cur = 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = writeText(existing, std::string(1000, 'x'), error);
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("keep me"));
}

TEST(LabWindowTest, StepsAndStabilityTablesAreTheCommandLinesAndCopyGivesAHeader) {
  TestWindow w;
  auto* tabs = w.window->findChild<QTabWidget*>(QStringLiteral("tabs"));
  tabs->setCurrentWidget(w.window->stepsTab());
  EXPECT_EQ(
      w.window->stepsTab()->model()->table().rows,
      study::stepText(study::buildStepTable({study::Classroom{}, 0.0, -1.0, 0.4}, 0, 4)).rows);

  tabs->setCurrentWidget(w.window->stabilityTab());
  const std::vector<std::size_t> all{0, 1, 2, 3, 4, 5, 6};
  const auto stabilityOf = [&](const study::Problem& problem) {
    return study::problemStabilityText(study::problemStabilityRows(problem, all));
  };
  ASSERT_EQ(w.window->stabilityTab()->limits()->table().header,
            stabilityOf(study::Problem{}).header);  // with lambda_min, h_limit and n_min
  EXPECT_EQ(w.window->stabilityTab()->limits()->table().rows,
            stabilityOf(w.window->equationPicker()->problem()).rows);
  const study::Problem stiff = study::presetProblem(study::Stiff{});
  w.window->stabilityTab()->setProblem(stiff);
  EXPECT_EQ(w.window->stabilityTab()->limits()->table().rows, stabilityOf(stiff).rows);
  EXPECT_EQ(w.window->stabilityTab()->limits()->table().rows[0][4], "-50");
  w.window->stabilityTab()->setProblem(w.window->equationPicker()->problem());

  QTableView* view = w.window->stabilityTab()->currentTableView();
  view->selectionModel()->select(view->model()->index(3, 0), QItemSelectionModel::Select);
  view->selectionModel()->select(view->model()->index(4, 3), QItemSelectionModel::Select);
  w.window->copySelection();
  const auto& rows = w.window->stabilityTab()->limits()->table().rows;
  const QString expected = QStringLiteral("method\torder\tevaluations\tstability_limit\n") +
                           QString::fromStdString(rows[3][0]) + QStringLiteral("\t\t\t\n\t\t\t") +
                           QString::fromStdString(rows[4][3]) + QLatin1Char('\n');
  EXPECT_EQ(QApplication::clipboard()->text(), expected);
}

// x1 is compared with the equation's x0, not with 0, and the reason names x0.
TEST(LabWindowTest, X1IsRefusedWhereTheStepsStart) {
  TestWindow w;
  const study::Problem fromOne{study::Classroom{}, 1.0, -1.0, 2.0};
  for (LabTab* tab : {static_cast<LabTab*>(w.window->convergenceTab()),
                      static_cast<LabTab*>(w.window->stepsTab())}) {
    tab->setProblem(fromOne);
    const QString name =
        tab == w.window->stepsTab() ? QStringLiteral("stepsX1") : QStringLiteral("x1");
    SCOPED_TRACE(name.toStdString());
    auto* edit = tab->findChild<QLineEdit*>(name);
    auto* reason = tab->findChild<QLabel*>(name + QStringLiteral("Reason"));
    edit->setText(QStringLiteral("1"));
    EXPECT_EQ(reason->text().toStdString(), "x1 must not be 1: the steps start at x0 = 1.");
    edit->setText(QStringLiteral("0"));
    EXPECT_EQ(reason->text().toStdString(), "");
  }
  QSignalSpy finished(w.window->convergenceTab(), &ConvergenceTab::sweepFinished);
  if (w.window->convergenceTab()->running()) {
    EXPECT_TRUE(finished.wait(10000));
  }
}

// Without an exact solution the Steps chart draws the reference solution and says so.
TEST(LabWindowTest, StepsChartTitleNamesTheCurveItDraws) {
  TestWindow w;
  StepsTab* steps = w.window->stepsTab();
  steps->setProblem(study::presetProblem(study::Riccati{}));
  EXPECT_EQ(steps->chartView()->chart()->title().toStdString(),
            "Reference solution and the numerical points");
  steps->setProblem(study::presetProblem(study::Gauss{}));
  EXPECT_EQ(steps->chartView()->chart()->title().toStdString(),
            "Exact solution and the numerical points");
}

}  // namespace
}  // namespace kemi::lab
