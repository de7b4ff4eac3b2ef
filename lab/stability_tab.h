// The stability tab: the chosen methods' stability regions in the complex plane with the step's
// h * lambda marked, or, as a second view, the chart of |R(-h)| on the real axis; beside them
// the table of the methods' stability limits and the table of the sampled R(-h).
#pragma once

#include <array>

#include "lab/lab_tab.h"

class QCheckBox;
class QLabel;
class QRadioButton;
class QStackedWidget;

namespace kemi::lab {

class MethodChoice;
class StabilityRegionView;
class SystemStabilityView;
class TextTableModel;

class StabilityTab : public LabTab {
  Q_OBJECT

 public:
  explicit StabilityTab(QWidget* parent = nullptr);

  TextTableModel* limits() const { return limits_; }
  TextTableModel* samples() const { return samples_; }
  StabilityRegionView* regionView() const { return regionView_; }

  // Marks z = h * lambda in the regions: lambda the equation's most negative df/dy, h the step.
  void setStepPoint(double lambda, double h);
  // The limits table for this equation: lambda_min, h_limit and n_min beside each method's limit.
  void setProblem(const study::Problem& problem) override;
  // Shows the regions (true) or the real-axis chart.
  void showRegions(bool regions);
  // The system's regions, eigenvalues and limits in place of the equation's.
  void setSystem(const study::SystemProblem& problem) override;
  SystemStabilityView* systemView() const { return systemView_; }

  QChartView* chartView() const override { return chartView_; }
  QWidget* picture() const override;
  QTableView* currentTableView() const override;
  study::TextTable currentTable() const override;
  QString fileBaseName() const override;
  void loadSettings(const QSettings& settings) override;
  void saveSettings(QSettings& settings) const override;

 private:
  void chooseMethods();

  TextTableModel* limits_;
  TextTableModel* samples_;
  QChartView* chartView_;
  StabilityRegionView* regionView_;
  QStackedWidget* pictures_;
  QStackedWidget* pages_;  // the equation's pictures and tables, or the system's
  SystemStabilityView* systemView_;
  QRadioButton* regionsButton_;
  QRadioButton* realAxisButton_;
  MethodChoice* methods_;
  QLabel* pointLabel_;
  QTableView* limitsView_;
  QTableView* samplesView_;
};

}  // namespace kemi::lab
