// Kemi Lab's main window: the convergence, steps and stability tabs, the File, Edit and Help
// menus, and the size and inputs it remembers between sessions.
#pragma once

#include <QMainWindow>

class QSettings;
class QTabWidget;

namespace kemi::lab {

class ConvergenceTab;
class LabTab;
class StabilityTab;
class StepsTab;

class LabWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Reads the last size and inputs from `settings` and writes them back on close; the caller
  // keeps `settings` alive as long as the window.
  explicit LabWindow(QSettings& settings, QWidget* parent = nullptr);

  ConvergenceTab* convergenceTab() const { return convergence_; }
  StepsTab* stepsTab() const { return steps_; }
  StabilityTab* stabilityTab() const { return stability_; }
  LabTab* currentTab() const;

  // The exports behind the File menu, without the file dialog; false with a message in `error`
  // when the file could not be written (an existing file is then left as it was).
  bool exportTable(const QString& path, QString& error) const;
  bool exportChart(const QString& path, QString& error) const;
  void copySelection() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void askAndExport(const QString& filter, const QString& suffix, bool chart);
  void showAbout();

  QSettings& settings_;
  QTabWidget* tabs_;
  ConvergenceTab* convergence_;
  StepsTab* steps_;
  StabilityTab* stability_;
};

}  // namespace kemi::lab
