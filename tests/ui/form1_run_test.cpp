// CALCULATE in the main window: the step size, the report lines, the plot, and runs that stop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>

#include "tests/ui/ui_test_support.h"
#include "ui/form1.h"
#include "ui/plot_area.h"

namespace kemi {
namespace {

using test::control;

const QStringList kInitialRunLines{"0.4000    -0.60000000   Euler Method",
                                   "0.4000    -0.81096014   Analytical",
                                   "0.4000    -0.21096014   Error", " "};

QStringList lines(const Form1& form) {
  QStringList result;
  auto* list = control<QListWidget>(form, "List1");
  for (int i = 0; i < list->count(); ++i) result << list->item(i)->text();
  return result;
}

void setEntry(const Form1& form, const char* name, const char* text) {
  auto* entry = control<QLineEdit>(form, name);
  entry->selectAll();
  QTest::keyClicks(entry, QString::fromLatin1(text));
}

// A window whose stopped runs are collected instead of shown.
struct Window {
  Window() {
    form.setStopReporter([this](const QString& cause) { stops << cause; });
    form.show();
    QApplication::setActiveWindow(&form);
  }
  void calculate() const { QTest::keyClick(control<QPushButton>(form, "Command1"), Qt::Key_Space); }
  Form1 form;
  QStringList stops;
};

TEST(Form1RunTest, SpaceAtStartRunsTheInitialEntries) {
  Window w;
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w.form));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_EQ(control<QLineEdit>(w.form, "Text_h")->text(), QLatin1String("0.4"));
  EXPECT_EQ(lines(w.form), kInitialRunLines);
  EXPECT_TRUE(w.stops.isEmpty());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(Form1RunTest, EnterInAnEditableEntryRunsNothing) {
  Window w;
  for (const char* name : {"Text_x1", "Text_N"}) {
    auto* entry = control<QLineEdit>(w.form, name);
    entry->setFocus();
    QTest::keyClick(entry, Qt::Key_Return);
    QTest::keyClick(entry, Qt::Key_Enter);
  }
  EXPECT_TRUE(lines(w.form).isEmpty());
  EXPECT_TRUE(control<QLineEdit>(w.form, "Text_h")->text().isEmpty());
}

TEST(Form1RunTest, SecondRunAppendsBelowTheFirstWithTheChosenMethod) {
  Window w;
  QTest::mouseClick(control<QPushButton>(w.form, "Command1"), Qt::LeftButton);
  QTest::mouseClick(control<QRadioButton>(w.form, "Option_RK4"), Qt::LeftButton);
  setEntry(w.form, "Text_N", "3");
  w.calculate();
  const QStringList all = lines(w.form);
  ASSERT_EQ(all.size(), 8);
  EXPECT_EQ(all.mid(0, 4), kInitialRunLines);
  EXPECT_TRUE(all[4].endsWith(QLatin1String("Runge-Kutta-4 Method"))) << all[4].toStdString();
  EXPECT_EQ(all[5], kInitialRunLines[1]);
  EXPECT_EQ(all[7], QLatin1String(" "));
  EXPECT_EQ(control<QLineEdit>(w.form, "Text_h")->text(), QLatin1String("0.133333333333333"));
  EXPECT_TRUE(control<QRadioButton>(w.form, "Option_RK4")->isChecked());
  EXPECT_FALSE(control<QRadioButton>(w.form, "Option_Euler")->isChecked());
}

// About 24 lines fit in the list: after eight runs (32 lines) the newest are still in view.
TEST(Form1RunTest, NewestLinesStayInViewWithNothingSelected) {
  Window w;
  auto* list = control<QListWidget>(w.form, "List1");
  for (int run = 0; run < 8; ++run) w.calculate();
  ASSERT_EQ(list->count(), 32);
  EXPECT_FALSE(list->viewport()->rect().contains(list->visualItemRect(list->item(0))));
  EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(31))));
  EXPECT_TRUE(list->selectedItems().isEmpty());
}

struct StopCase {
  const char* what;
  const char* x1;
  const char* N;
  const char* stepSizeAfter;  // Text_h after the stopped run; null when it keeps the last run's
};

// Each run follows a completed default run, so Text_h shows "0.4" and the list holds 4 lines.
const StopCase kStops[] = {
    {"no steps", "0.4", "0", nullptr},
    {"entry beyond the doubles", "1e400", "1", nullptr},
    {"target equal to the start", "0", "1", "0"},
    {"negative step count", "0.4", "-3", "-0.133333333333333"},
    {"table index beyond 32 bits", "0.4", "1e11", "4e-12"},
    {"tables larger than memory", "0.4", "2000000000", "2e-10"},
};

TEST(Form1RunTest, StoppedRunsAreReportedKeepTheListAndTheWindowWorks) {
  for (const StopCase& c : kStops) {
    SCOPED_TRACE(c.what);
    Window w;
    w.calculate();
    setEntry(w.form, "Text_x1", c.x1);
    setEntry(w.form, "Text_N", c.N);
    w.calculate();
    ASSERT_EQ(w.stops.size(), 1);
    EXPECT_FALSE(w.stops[0].trimmed().isEmpty());
    EXPECT_EQ(lines(w.form), kInitialRunLines);
    const QString expectedH = QString::fromLatin1(c.stepSizeAfter ? c.stepSizeAfter : "0.4");
    EXPECT_EQ(control<QLineEdit>(w.form, "Text_h")->text(), expectedH);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    setEntry(w.form, "Text_x1", "0.4");
    setEntry(w.form, "Text_N", "1");
    w.calculate();
    EXPECT_EQ(w.stops.size(), 1);
    EXPECT_EQ(lines(w.form).mid(4), kInitialRunLines);
  }
}

// Without a reporter of its own the window shows the cause in a warning that does not block.
TEST(Form1RunTest, DefaultReportIsAWarningOverTheWindow) {
  Form1 form;
  form.show();
  setEntry(form, "Text_N", "0");
  QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);
  auto* box = form.findChild<QMessageBox*>(QStringLiteral("StopMessage"));
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(box->icon(), QMessageBox::Warning);
  EXPECT_FALSE(box->text().isEmpty());
  box->accept();
}

TEST(Form1RunTest, PlotShowsTheRunOnTheYellowBackground) {
  Window w;
  auto* picture = control<PlotArea>(w.form, "Picture1");
  const QImage blank = picture->image();
  EXPECT_EQ(test::countPixels(blank, QColor(255, 255, 192)), blank.width() * blank.height());
  w.calculate();
  const QImage plot = picture->image();
  const int area = plot.width() * plot.height();
  EXPECT_GT(test::countPixels(plot, QColor(255, 255, 192)), area / 2);
  EXPECT_GT(test::countPixels(plot, QColor(255, 0, 0)), 100);
  EXPECT_GT(test::countPixels(plot, QColor(0, 0, 0)), 200);
}

}  // namespace
}  // namespace kemi
