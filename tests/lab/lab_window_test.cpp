// The lab window's entries, exports and copy: refused entries show a reason and disable Run, a
// failed export leaves an existing file as it was, Copy gives the selected cells with a header,
// and the steps and stability tables are the command line's.
#include <gtest/gtest.h>

#include <QApplication>
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

#include "chart_file.h"
#include "convergence_tab.h"
#include "lab_test_support.h"
#include "stability.h"
#include "stability_tab.h"
#include "step_table.h"
#include "step_table_model.h"
#include "steps_tab.h"
#include "text_table_model.h"

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
  EXPECT_EQ(w.window->stepsTab()->model()->table().rows,
            study::stepText(study::buildStepTable({study::Classroom{}, 0.0, -1.0, 0.4}, 0, 4)).rows);

  tabs->setCurrentWidget(w.window->stabilityTab());
  const std::vector<std::size_t> all{0, 1, 2, 3, 4, 5, 6};
  EXPECT_EQ(w.window->stabilityTab()->limits()->table().rows,
            study::stabilityText(study::stabilityRows(all)).rows);

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

}  // namespace
}  // namespace kemi::lab
