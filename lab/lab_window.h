// Kemi Lab's main window: the equation picker above the solution, convergence, steps and
// stability tabs, the File, Edit and Help menus, and the size and inputs it remembers between
// sessions.
#pragma once

#include <QMainWindow>

#include "study/problem.h"
#include "study/system.h"

class QLabel;
class QSettings;
class QTabWidget;

namespace kemi::lab {

class ConvergenceTab;
class EquationPicker;
class LabTab;
class SolutionTab;
class StabilityTab;
class StepsTab;
class AdaptiveTab;

class LabWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Reads the last size and inputs from `settings` and writes them back on close; the caller
  // keeps `settings` alive as long as the window.
  explicit LabWindow(QSettings& settings, QWidget* parent = nullptr);

  EquationPicker* equationPicker() const { return picker_; }
  SolutionTab* solutionTab() const { return solution_; }
  ConvergenceTab* convergenceTab() const { return convergence_; }
  StepsTab* stepsTab() const { return steps_; }
  StabilityTab* stabilityTab() const { return stability_; }
  AdaptiveTab* adaptiveTab() const { return adaptive_; }
  LabTab* currentTab() const;

  // The exports behind the File menu, without the file dialog; false with a message in `error`
  // when the file could not be written (an existing file is then left as it was).
  bool exportTable(const QString& path, QString& error) const;
  bool exportChart(const QString& path, QString& error) const;
  void copySelection() const;

 signals:
  // The most negative df/dy along the chosen equation's solution from x0 to x1, for the
  // stability picture's h*lambda; sent whenever the equation changes.
  void lambdaMinChanged(double lambdaMin);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void askAndExport(const QString& filter, const QString& suffix, bool chart);
  void showAbout();
  void followProblem(const study::Problem& problem);
  void followSystem(const study::SystemProblem& problem);
  QList<LabTab*> allTabs() const;

  QSettings& settings_;
  QTabWidget* tabs_;
  EquationPicker* picker_;
  SolutionTab* solution_;
  ConvergenceTab* convergence_;
  StepsTab* steps_;
  StabilityTab* stability_;
  AdaptiveTab* adaptive_;
  QLabel* systemNote_;  // why Adaptive is closed while a system is chosen
  // The step the stability picture marks: h*lambda with the equation's most negative lambda and
  // the Solution tab's step size.
  double lambdaMin_ = -1.0;
  double stepSize_ = 0.1;
};

}  // namespace kemi::lab
