// The convergence tab: x1, the largest N and the methods; Run (Enter) and Cancel (Esc); the
// chart with its work-precision toggle, the per-method summary and the rows, all fed by one
// sweep running off the user-interface thread.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "study/convergence.h"

#include "lab/lab_tab.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTimer;

namespace kemi::lab {

class MethodChoice;
class ConvergenceChart;
class ConvergenceModel;
class SweepRunner;
class SystemSweepView;
class TextTableModel;

class ConvergenceTab : public LabTab {
  Q_OBJECT

 public:
  explicit ConvergenceTab(QWidget* parent = nullptr);

  void run();     // does nothing while an entry is refused
  void cancel();  // does nothing when no sweep runs
  bool running() const;
  bool canRun() const;

  ConvergenceModel* model() const { return model_; }
  TextTableModel* summary() const { return summary_; }
  ConvergenceChart* chart() const { return chart_; }
  SystemSweepView* systemView() const { return systemView_; }

  QChartView* chartView() const override { return chartView_; }
  QTableView* currentTableView() const override;
  study::TextTable currentTable() const override;
  QString fileBaseName() const override;
  QWidget* picture() const override;
  void setProblem(const study::Problem& problem) override;
  // The system sweep: the seven ticked methods, and the symplectic two where they apply.
  void setSystem(const study::SystemProblem& problem) override;
  void loadSettings(const QSettings& settings) override;
  void saveSettings(QSettings& settings) const override;

 signals:
  void sweepFinished(bool cancelled);

 private:
  void check();
  void onFinished(bool cancelled, const QString& note);
  void flushRows();

  QLineEdit* x1Edit_;
  QLineEdit* nEdit_;
  QLabel* x1Reason_;
  QLabel* nReason_;
  QLabel* methodsReason_;
  MethodChoice* methods_;
  QCheckBox* workPrecision_;
  QPushButton* runButton_;
  QPushButton* cancelButton_;
  QProgressBar* progress_;
  QLabel* status_;
  QChartView* chartView_;
  QTableView* rowsView_;
  QTableView* summaryView_;
  ConvergenceModel* model_;
  TextTableModel* summary_;
  ConvergenceChart* chart_;
  SweepRunner* runner_;
  // Rows that arrived since the last flush: they reach the model together, so a burst of rows
  // costs the table one repaint instead of one each.
  std::vector<study::ConvergenceRow> pending_;
  study::Problem problem_;  // the window's equation and start; x1 comes from the entry
  std::optional<study::SystemProblem> system_;  // set while the window studies a system
  QStackedWidget* results_;
  SystemSweepView* systemView_;
  QTimer* flushTimer_;
};

}  // namespace kemi::lab
