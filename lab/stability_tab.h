// The stability tab: the chart of |R(-h)| for the seven methods beside the table of their
// stability limits and the table of the sampled R(-h) the curves are drawn from.
#pragma once

#include "lab_tab.h"

namespace kemi::lab {

class TextTableModel;

class StabilityTab : public LabTab {
  Q_OBJECT

 public:
  explicit StabilityTab(QWidget* parent = nullptr);

  TextTableModel* limits() const { return limits_; }
  TextTableModel* samples() const { return samples_; }

  QChartView* chartView() const override { return chartView_; }
  QTableView* currentTableView() const override;
  study::TextTable currentTable() const override;
  QString fileBaseName() const override;
  void loadSettings(const QSettings&) override {}
  void saveSettings(QSettings&) const override {}

 private:
  TextTableModel* limits_;
  TextTableModel* samples_;
  QChartView* chartView_;
  QTableView* limitsView_;
  QTableView* samplesView_;
};

}  // namespace kemi::lab
