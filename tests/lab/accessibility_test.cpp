// The lab window as a screen reader and a keyboard user meet it, through Qt's accessibility
// interfaces: chart descriptions that follow the content, no unnamed focusable control, entry
// errors as description and invalid state, the selected tab, tab switching and focus order.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <utility>

#include "core/method_table.h"
#include "lab/convergence_tab.h"
#include "lab/stability_tab.h"
#include "lab/steps_tab.h"
#include "tests/lab/lab_test_support.h"

namespace kemi::lab {
namespace {

using testing::TestWindow;

QString description(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
}

void waitForSweep(ConvergenceTab* tab) {
  QSignalSpy finished(tab, &ConvergenceTab::sweepFinished);
  if (tab->running()) {
    ASSERT_TRUE(finished.wait(20000));
  }
}

TEST(AccessibilityTest, ChartsDescribeWhatTheyDrawAndFollowTheirContent) {
  TestWindow w;
  waitForSweep(w.window->convergenceTab());
  const std::pair<const char*, LabTab*> charts[] = {
      {"convergence", w.window->convergenceTab()},
      {"steps", w.window->stepsTab()},
      {"stability", w.window->stabilityTab()},
  };
  for (const auto& [name, tab] : charts) {
    const QString text = description(tab->chartView());
    EXPECT_FALSE(text.isEmpty()) << name;
    // Every method drawn is named with its numbers; the steps chart draws one method.
    const std::size_t named = tab == w.window->stepsTab() ? 0 : kMethods.size();
    for (std::size_t m = 0; m < named; ++m)
      EXPECT_TRUE(text.contains(QString::fromLatin1(kMethods[m].id.data()) + QLatin1Char(':')))
          << name << ": " << text.toStdString();
  }
  auto* method = w.window->stepsTab()->findChild<QComboBox*>(QStringLiteral("method"));
  method->setCurrentIndex(method->count() - 1);
  EXPECT_TRUE(description(w.window->stepsTab()->chartView()).contains(method->currentText()));
}

// Each focusable, shown widget or tab has a name a screen reader can say (a table's cells are
// named by their text, which may be empty).
void expectNamed(QAccessibleInterface* object, const QString& path) {
  const QAccessible::State state = object->state();
  if (state.invisible) return;
  const QString here = path + QLatin1Char('/') + object->text(QAccessible::Name);
  if (state.focusable && object->role() != QAccessible::Cell) {
    EXPECT_FALSE(object->text(QAccessible::Name).isEmpty()) << here.toStdString();
  }
  for (int i = 0; i < object->childCount(); ++i) expectNamed(object->child(i), here);
}

TEST(AccessibilityTest, EveryFocusableControlIsNamedOnEveryTab) {
  TestWindow w;
  auto* tabs = w.window->findChild<QTabWidget*>(QStringLiteral("tabs"));
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    expectNamed(QAccessible::queryAccessibleInterface(w.window.get()), tabs->tabText(i));
  }
}

TEST(AccessibilityTest, EntryErrorsAreTheirDescriptionAndMarkThemInvalid) {
  TestWindow w;
  for (const char* name : {"x1", "largestN", "stepsX1", "stepsN"}) {
    auto* edit = w.window->findChild<QLineEdit*>(QString::fromLatin1(name));
    auto* reason = w.window->findChild<QLabel*>(QString::fromLatin1(name) + "Reason");
    ASSERT_TRUE(edit && reason) << name;
    QAccessibleInterface* entry = QAccessible::queryAccessibleInterface(edit);
    const QString good = edit->text();
    edit->setText(QStringLiteral("1x"));
    EXPECT_FALSE(reason->text().isEmpty()) << name;
    EXPECT_EQ(entry->text(QAccessible::Description), reason->text()) << name;
    EXPECT_TRUE(entry->state().invalid) << name;
    EXPECT_EQ(entry->text(QAccessible::Value), QStringLiteral("1x")) << name;
    edit->setText(good);
    EXPECT_TRUE(entry->text(QAccessible::Description).isEmpty()) << name;
    EXPECT_FALSE(entry->state().invalid) << name;
  }
}

// The status line is a status bar named by its text, so a screen reader reads the new text.
TEST(AccessibilityTest, StatusLinesAreStatusBarsNamedByTheirText) {
  TestWindow w;
  auto* status = w.window->stepsTab()->findChild<QLabel*>(QStringLiteral("stepsStatus"));
  QAccessibleInterface* line = QAccessible::queryAccessibleInterface(status);
  EXPECT_EQ(line->role(), QAccessible::StatusBar);
  for (const char* n : {"7", "12"}) {
    w.window->stepsTab()->findChild<QLineEdit*>(QStringLiteral("stepsN"))->setText(n);
    w.window->stepsTab()->run();
    EXPECT_EQ(line->text(QAccessible::Name), status->text());
    EXPECT_TRUE(line->text(QAccessible::Name).startsWith(QString::fromLatin1(n) + " steps"));
  }
}

TEST(AccessibilityTest, TabsSwitchFromAnywhereAndTheCurrentOneIsSelected) {
  TestWindow w;
  ASSERT_TRUE(w.active);
  auto* tabs = w.window->findChild<QTabWidget*>(QStringLiteral("tabs"));
  tabs->setCurrentWidget(w.window->stepsTab());
  QWidget* method = w.window->stepsTab()->findChild<QComboBox*>(QStringLiteral("method"));
  method->setFocus();
  const std::pair<QKeyCombination, int> keys[] = {
      {Qt::CTRL | Qt::Key_Tab, 3},
      {Qt::CTRL | Qt::Key_PageDown, 4},
      {Qt::CTRL | Qt::Key_PageDown, 0},
      {Qt::CTRL | Qt::Key_PageUp, 4},
      {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 3},
  };
  for (const auto& [key, index] : keys) {
    QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    EXPECT_EQ(tabs->currentIndex(), index) << QKeySequence(key).toString().toStdString();
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(tabs->tabBar());
    for (int i = 0; i < bar->childCount(); ++i)
      EXPECT_EQ(bar->child(i)->state().selected, i == index) << "tab " << i;
  }
}

TEST(AccessibilityTest, RunLeavesFocusOnCancelAndTabFollowsTheLayout) {
  TestWindow w(QStringLiteral("16777216"));
  ASSERT_TRUE(w.active);
  ConvergenceTab* tab = w.window->convergenceTab();
  w.window->findChild<QTabWidget*>(QStringLiteral("tabs"))->setCurrentWidget(tab);
  auto* run = tab->findChild<QPushButton*>(QStringLiteral("run"));
  auto* cancel = tab->findChild<QPushButton*>(QStringLiteral("cancel"));
  tab->cancel();
  waitForSweep(tab);
  run->setFocus();
  QTest::keyClick(run, Qt::Key_Space);
  EXPECT_TRUE(cancel->hasFocus());
  QTest::keyClick(cancel, Qt::Key_Space);
  waitForSweep(tab);
  EXPECT_TRUE(run->hasFocus());
  // Chart, then the summary to its right, then the rows below both.
  tab->chartView()->setFocus();
  for (const char* next : {"Summary per method", "Convergence rows"}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), next);
  }
}

}  // namespace
}  // namespace kemi::lab
