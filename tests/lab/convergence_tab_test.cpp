// The convergence tab against the study run directly: after a sweep the table, the chart and the
// exported CSV hold exactly the command line's rows; Cancel leaves a consistent chart and lets
// no row of the stopped sweep into the next one.
#include <gtest/gtest.h>

#include <QChart>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QXYSeries>
#include <cmath>

#include "core/method_table.h"
#include "lab/cell_text.h"
#include "lab/convergence_chart.h"
#include "lab/convergence_model.h"
#include "lab/convergence_tab.h"
#include "lab/text_table_model.h"
#include "tests/lab/lab_test_support.h"

namespace kemi::lab {
namespace {

using testing::TestWindow;

struct SweepCase {
  const char* x1;
  const char* largestN;
  std::vector<std::size_t> methods;
};

// Runs the tab's sweep on these entries and waits for its end.
void runSweep(ConvergenceTab* tab, const SweepCase& c) {
  QSignalSpy finished(tab, &ConvergenceTab::sweepFinished);
  if (tab->running()) {
    ASSERT_TRUE(finished.wait(10000));
  }
  finished.clear();
  tab->findChild<QLineEdit*>(QStringLiteral("x1"))->setText(QString::fromLatin1(c.x1));
  tab->findChild<QLineEdit*>(QStringLiteral("largestN"))->setText(QString::fromLatin1(c.largestN));
  for (std::size_t m = 0; m < kMethods.size(); ++m) {
    const auto name = QStringLiteral("method_") + QString::fromLatin1(kMethods[m].id.data());
    tab->findChild<QCheckBox*>(name)->setChecked(std::find(c.methods.begin(), c.methods.end(), m) !=
                                                 c.methods.end());
  }
  auto* x1 = tab->findChild<QLineEdit*>(QStringLiteral("x1"));
  x1->setFocus();
  QTest::keyClick(x1, Qt::Key_Return);
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_FALSE(finished.front().front().toBool());
}

// Every point of the chart is a table row of its method, and every row with a non-zero error
// is a point; rows with error 0 are counted, not drawn.
void expectChartMatchesTable(const ConvergenceTab* tab) {
  const ConvergenceModel* model = tab->model();
  for (std::size_t m = 0; m < kMethods.size(); ++m) {
    int drawn = 0, zero = 0;
    for (int r = 0; r < model->rowCount(); ++r) {
      const study::ConvergenceRow& row = model->row(r);
      if (row.method != m) continue;
      const double error = readCell(model->textTable().rows[std::size_t(r)][6]);
      EXPECT_EQ(error, row.error);
      (row.error == 0.0 ? zero : drawn) += 1;
      if (row.error != 0.0) {
        EXPECT_FALSE(tab->chart()->pointText(m, std::fabs(row.h)).isEmpty()) << row.N;
      }
    }
    EXPECT_EQ(tab->chart()->pointCount(m), drawn) << kMethods[m].id;
    EXPECT_EQ(tab->chart()->zeroRows(m), zero) << kMethods[m].id;
  }
  // Every point, reference lines included, maps into the plot area: the axes' scale is the one
  // the series are drawn on.
  QChart* chart = tab->chart()->chart();
  const QRectF area = chart->plotArea().adjusted(-1, -1, 1, 1);
  for (QAbstractSeries* series : chart->series())
    for (const QPointF& p : static_cast<QXYSeries*>(series)->points())
      EXPECT_TRUE(area.contains(chart->mapToPosition(p, series))) << p.x() << " " << p.y();
}

TEST(ConvergenceTabTest, TableChartAndCsvHoldTheCommandLinesRows) {
  const std::vector<std::size_t> all{0, 1, 2, 3, 4, 5, 6};
  const SweepCase cases[] = {
      {"1", "64", all},
      {"-0.75", "1000", {0, 3, 4}},
      {"3", "4096", {5, 6}},
  };
  TestWindow w;
  ASSERT_TRUE(w.active);
  ConvergenceTab* tab = w.window->convergenceTab();
  w.window->findChild<QTabWidget*>(QStringLiteral("tabs"))->setCurrentWidget(tab);
  for (const SweepCase& c : cases) {
    SCOPED_TRACE(c.x1);
    runSweep(tab, c);
    study::ConvergenceSettings settings;
    settings.x1 = std::stod(c.x1);
    settings.maxN = std::stoll(c.largestN);
    settings.methods = c.methods;
    const study::TextTable expected = study::convergenceText(
        study::runConvergence({study::Classroom{}, 0.0, -1.0, settings.x1}, settings).rows);
    const study::TextTable shown = tab->model()->textTable();
    EXPECT_EQ(shown.header, expected.header);
    EXPECT_EQ(shown.rows, expected.rows);
    for (int r = 0; r < tab->model()->rowCount(); ++r)
      for (int col = 0; col < tab->model()->columnCount(); ++col)
        ASSERT_EQ(tab->model()->index(r, col).data(kFullTextRole).toString().toStdString(),
                  expected.rows[std::size_t(r)][std::size_t(col)]);
    expectChartMatchesTable(tab);

    const QString path = w.dir.filePath(QStringLiteral("rows.csv"));
    QString error;
    ASSERT_TRUE(w.window->exportTable(path, error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), study::toCsv(expected));
  }
}

TEST(ConvergenceTabTest, CancelKeepsAConsistentChartAndNoLateRows) {
  TestWindow w(QStringLiteral("2147483646"));
  ASSERT_TRUE(w.active);
  ConvergenceTab* tab = w.window->convergenceTab();
  w.window->findChild<QTabWidget*>(QStringLiteral("tabs"))->setCurrentWidget(tab);
  QSignalSpy inserted(tab->model(), &QAbstractItemModel::rowsInserted);
  QSignalSpy finished(tab, &ConvergenceTab::sweepFinished);
  ASSERT_TRUE(inserted.wait(10000));  // the opening sweep has begun delivering rows
  ASSERT_TRUE(tab->running());
  auto* x1 = tab->findChild<QLineEdit*>(QStringLiteral("x1"));
  x1->setFocus();
  QTest::keyClick(x1, Qt::Key_Escape);
  EXPECT_FALSE(tab->running());
  ASSERT_EQ(finished.size(), 1);
  EXPECT_TRUE(finished.front().front().toBool());
  EXPECT_TRUE(tab->canRun());
  const int kept = tab->model()->rowCount();
  EXPECT_GT(kept, 0);
  expectChartMatchesTable(tab);
  inserted.clear();
  EXPECT_FALSE(inserted.wait(300));  // rows the stopped workers still finish are not shown
  EXPECT_EQ(tab->model()->rowCount(), kept);

  // A new sweep right away holds its own rows only.
  runSweep(tab, {"1", "16", {3}});
  study::ConvergenceSettings settings;
  settings.maxN = 16;
  settings.methods = {3};
  EXPECT_EQ(tab->model()->textTable().rows,
            study::convergenceText(
                study::runConvergence({study::Classroom{}, 0.0, -1.0, settings.x1}, settings).rows)
                .rows);
  expectChartMatchesTable(tab);
}

}  // namespace
}  // namespace kemi::lab
