// The window on systems: a preset system shows the phase plane with the command line's numbers,
// the other views are a click away, the tab that cannot show a system is closed with a note,
// and a faulty typed system is refused under the entry at fault.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include <QSignalSpy>

#include "lab/adaptive_tab.h"
#include "lab/convergence_tab.h"
#include "lab/equation_picker.h"
#include "lab/solution_tab.h"
#include "lab/stability_tab.h"
#include "lab/steps_tab.h"
#include "lab/system_panel.h"
#include "lab/system_stability_view.h"
#include "lab/system_sweep_view.h"
#include "lab/text_table_model.h"
#include "tests/lab/lab_test_support.h"

namespace kemi::lab {
namespace {

using testing::TestWindow;

void pick(LabWindow& window, const QString& id) {
  auto* choice = window.findChild<QComboBox*>(QStringLiteral("equation"));
  ASSERT_NE(choice, nullptr);
  const int index = choice->findData(id);
  ASSERT_GE(index, 0) << id.toStdString();
  choice->setCurrentIndex(index);
}

QImage grabbed(QWidget* widget) {
  return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int paintedPixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2) count += image.pixel(x, y) != qRgb(255, 255, 255);
  return count;
}

TEST(SystemWindowTest, OscillatorShowsThePhasePlaneWithTheCommandLinesEnds) {
  TestWindow w;
  pick(*w.window, QStringLiteral("oscillator"));
  SolutionTab* tab = w.window->solutionTab();
  ASSERT_TRUE(tab->showsSystem());
  EXPECT_EQ(tab->systemPanel()->view(), SystemView::Phase);
  EXPECT_TRUE(w.window->windowTitle().contains(QStringLiteral("oscillator: y1' = y2,  y2' = -y1")))
      << w.window->windowTitle().toStdString();
  // `kemi-lab compare --equation oscillator --methods RK4`, its last row (N = 8, x = 10).
  const study::TextTable& table = tab->systemPanel()->model()->table();
  ASSERT_EQ(table.header, (std::vector<std::string>{"method", "N", "x", "y1", "y2", "exact1",
                                                    "exact2", "error"}));
  bool seen = false;
  for (const auto& row : table.rows)
    if (row[0] == "RK4") {
      seen = true;
      EXPECT_EQ(row[2], "10");
      EXPECT_EQ(row[3], "-0.7481891935496959");
      EXPECT_EQ(row[4], "0.3819947090797563");
      EXPECT_EQ(row[5], "-0.8390715290764524");
      EXPECT_EQ(row[6], "0.5440211108893698");
    }
  EXPECT_TRUE(seen);
  EXPECT_EQ(table.rows.size(), 9u);  // the seven and both symplectic methods
  EXPECT_GT(paintedPixels(grabbed(tab->systemPanel()->picture())), 1000);
  EXPECT_FALSE(tab->systemPanel()->picture()->accessibleDescription().isEmpty());
  // Adaptive cannot show a system: it is closed, with the reason shown.
  auto* tabs = w.window->findChild<QTabWidget*>(QStringLiteral("tabs"));
  for (int i = 1; i < tabs->count(); ++i)
    EXPECT_EQ(tabs->isTabEnabled(i),
              tabs->widget(i) != static_cast<QWidget*>(w.window->adaptiveTab()))
        << i;
  auto* note = w.window->findChild<QLabel*>(QStringLiteral("systemTabsNote"));
  EXPECT_TRUE(note->isVisible());
  EXPECT_TRUE(note->text().contains(QStringLiteral("Adaptive")));
  // Back to one equation: the tabs open again and the picture is the equation's.
  pick(*w.window, QStringLiteral("classroom"));
  EXPECT_FALSE(tab->showsSystem());
  for (int i = 1; i < tabs->count(); ++i) EXPECT_TRUE(tabs->isTabEnabled(i)) << i;
  EXPECT_FALSE(note->isVisible());
}

TEST(SystemWindowTest, ViewsAreAClickAwayAndDrawSomethingElse) {
  TestWindow w;
  pick(*w.window, QStringLiteral("oscillator"));
  SystemPanel* panel = w.window->solutionTab()->systemPanel();
  auto* views = panel->findChild<QComboBox*>(QStringLiteral("systemView"));
  ASSERT_NE(views, nullptr);
  const QImage phase = grabbed(panel->picture());
  const QString phaseText = panel->picture()->accessibleDescription();
  for (const auto view : {SystemView::Components, SystemView::Invariant}) {
    views->setCurrentIndex(static_cast<int>(view));
    EXPECT_EQ(panel->view(), view);
    const QImage image = grabbed(panel->picture());
    EXPECT_NE(image, phase);
    EXPECT_GT(paintedPixels(image), 1000);
    EXPECT_NE(panel->picture()->accessibleDescription(), phaseText);
  }
}

// The cell of `column` in the row whose first cell is `first` and whose second is `second` (any
// second when empty).
std::string cell(const study::TextTable& table, const std::string& first, const std::string& second,
                 const std::string& column) {
  const auto at = std::find(table.header.begin(), table.header.end(), column);
  if (at == table.header.end()) return "no column " + column;
  for (const auto& row : table.rows)
    if (row[0] == first && (second.empty() || row[1] == second))
      return row[static_cast<std::size_t>(at - table.header.begin())];
  return "no row " + first;
}

// Each tab on the oscillator shows the command line's numbers: `kemi-lab convergence
// --equation oscillator --max-n 64`, `steps --method Euler --x1 0.4 --n 4`, `stability`.
TEST(SystemWindowTest, ConvergenceStepsAndStabilityShowTheSystem) {
  TestWindow w;
  QSignalSpy swept(w.window->convergenceTab(), &ConvergenceTab::sweepFinished);
  pick(*w.window, QStringLiteral("oscillator"));
  ASSERT_TRUE(swept.wait(30000));
  ASSERT_EQ(swept.last().at(0).toBool(), false);
  const struct {
    LabTab* tab;
    std::string first, second, column, expected;
  } cases[] = {
      {w.window->convergenceTab(), "RK4", "16", "error", "0.012613885517541834"},
      {w.window->convergenceTab(), "RK4", "16", "invariant_drift", "-0.012524593848546095"},
      {w.window->convergenceTab(), "Verlet", "64", "observed_order", "1.977974475544278"},
      {w.window->convergenceTab(), "Euler", "64", "stable", "no"},
      {w.window->stepsTab(), "4", "0.4", "y2", "-0.396"},
      {w.window->stepsTab(), "1", "0.1", "invariant", "1.01"},
      {w.window->stabilityTab(), "Euler", "", "h_limit", "0"},
      {w.window->stabilityTab(), "Euler", "", "n_min", ""},
      {w.window->stabilityTab(), "RK4", "", "h_limit", "2.828427123837173"},
      {w.window->stabilityTab(), "RK4", "", "imag_limit", "2.828427123837173"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tab->objectName().toStdString() + " " + c.first + " " + c.column);
    EXPECT_EQ(cell(c.tab->currentTable(), c.first, c.second, c.column), c.expected);
  }
  const QString note = w.window->stabilityTab()->systemView()->note()->text();
  EXPECT_TRUE(note.contains(QStringLiteral("Euler: unstable for every h"))) << note.toStdString();
  EXPECT_FALSE(note.contains(QStringLiteral("RK4:"))) << note.toStdString();
  auto* tabs = w.window->findChild<QTabWidget*>(QStringLiteral("tabs"));
  for (LabTab* tab : {static_cast<LabTab*>(w.window->convergenceTab()),
                      static_cast<LabTab*>(w.window->stabilityTab())}) {
    tabs->setCurrentWidget(tab);
    EXPECT_GT(paintedPixels(grabbed(tab->picture())), 1000) << tab->objectName().toStdString();
  }
  // Back to one equation: the tabs show its numbers again.
  pick(*w.window, QStringLiteral("classroom"));
  EXPECT_EQ(w.window->stabilityTab()->currentTable().header[0], "method");
  EXPECT_EQ(cell(w.window->stabilityTab()->currentTable(), "RK4", "", "imag_limit"),
            "no column imag_limit");
  EXPECT_EQ(w.window->stepsTab()->currentTable().header[2], "y");
}

// Cancel stops the system sweep at once, and a late end of its workers shows nothing.
TEST(SystemWindowTest, CancelStopsTheSystemSweep) {
  TestWindow w(QStringLiteral("2147483646"));
  ConvergenceTab* tab = w.window->convergenceTab();
  pick(*w.window, QStringLiteral("pendulum"));
  ASSERT_TRUE(tab->running());
  QSignalSpy finished(tab, &ConvergenceTab::sweepFinished);
  tab->cancel();
  EXPECT_FALSE(tab->running());
  ASSERT_EQ(finished.size(), 1);
  EXPECT_TRUE(finished.front().front().toBool());
  EXPECT_FALSE(finished.wait(500));
  EXPECT_TRUE(tab->systemView()->rows().empty());
  EXPECT_TRUE(tab->canRun());
  // Back to one equation: its own sweep runs again.
  pick(*w.window, QStringLiteral("classroom"));
  EXPECT_TRUE(tab->running());
  EXPECT_EQ(tab->currentTable().header[4], "y");
}

struct BadSystem {
  const char* f;
  const char* y0;
  const char* exact;
  const char* invariant;
  const char* entry;     // object name of the entry whose reason must show
  const char* fragment;  // part of the study library's sentence
};

TEST(SystemWindowTest, FaultyTypedSystemShowsTheSentenceUnderTheEntry) {
  const BadSystem cases[] = {
      {"y2; -y1; y1", "1; 0", "", "", "equationF", "not 3"},
      {"y2; -y3", "1; 0", "", "", "equationF", "'y3'"},
      {"y2; -v", "1; 0", "", "", "equationF", "'v' at position 1"},
      {"y2; -y1", "1; 0; 2", "", "", "equationY0", "not 3"},
      {"y2; -y1", "1; a", "", "", "equationY0", "'a': not a finite number"},
      {"y2; -y1", "1; 0", "cos(x); sin(x)", "", "equationExact", "does not solve the system"},
      {"y2; -y1", "1; 0", "", "y1", "equationInvariant", "not constant"},
      {"-y", "1; 0", "", "y3", "equationInvariant", "'y3' at position 0"},
  };
  TestWindow w;
  pick(*w.window, QStringLiteral("typed"));
  EquationPicker* picker = w.window->equationPicker();
  const QStringList names{QStringLiteral("equationF"), QStringLiteral("equationY0"),
                          QStringLiteral("equationExact"), QStringLiteral("equationInvariant")};
  for (const BadSystem& c : cases) {
    SCOPED_TRACE(std::string(c.f) + " | " + c.y0 + " | " + c.exact + " | " + c.invariant);
    const char* texts[] = {c.f, c.y0, c.exact, c.invariant};
    for (int i = 0; i < names.size(); ++i)
      picker->findChild<QLineEdit*>(names[i])->setText(QString::fromUtf8(texts[i]));
    picker->applyNow();
    for (const QString& name : names) {
      const QString reason = picker->findChild<QLabel*>(name + QStringLiteral("Reason"))->text();
      if (name == QLatin1String(c.entry))
        EXPECT_TRUE(reason.contains(QLatin1String(c.fragment))) << reason.toStdString();
      else
        EXPECT_TRUE(reason.isEmpty()) << name.toStdString() << ": " << reason.toStdString();
    }
    EXPECT_EQ(picker->system(), nullptr);
    EXPECT_FALSE(w.window->solutionTab()->showsSystem());
  }
  // Mended: y'' = -y from (1, 0) with its exact solution and energy goes to the Solution tab.
  const char* good[] = {"-y", "1; 0", "cos(x); -sin(x)", "y^2 + v^2"};
  for (int i = 0; i < names.size(); ++i)
    picker->findChild<QLineEdit*>(names[i])->setText(QString::fromUtf8(good[i]));
  picker->applyNow();
  ASSERT_NE(picker->system(), nullptr);
  EXPECT_TRUE(w.window->solutionTab()->showsSystem());
  EXPECT_TRUE(w.window->windowTitle().contains(QStringLiteral("y'' = -y")))
      << w.window->windowTitle().toStdString();
}

}  // namespace
}  // namespace kemi::lab
