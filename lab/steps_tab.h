// The steps tab: one method, x1 and N; the step table with stages, local and global error, a
// small chart of the exact curve with the numerical points, both read from the same model, and
// the picture inside the selected step, drawn from the same stage recording as the table.
#pragma once

#include <optional>

#include "lab/lab_tab.h"
#include "study/step_table.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QChart;

namespace kemi::lab {

class StagePicture;
class StepTableModel;
class TextTableModel;

class StepsTab : public LabTab {
  Q_OBJECT

 public:
  explicit StepsTab(QWidget* parent = nullptr);

  void run();  // does nothing while an entry is refused
  bool canRun() const;
  StepTableModel* model() const { return model_; }
  StagePicture* stagePicture() const { return stagePicture_; }

  QChartView* chartView() const override { return chartView_; }
  QWidget* picture() const override;  // the stage picture while it has the focus
  QTableView* currentTableView() const override;
  study::TextTable currentTable() const override;
  QString fileBaseName() const override;
  void setProblem(const study::Problem& problem) override;
  // The system's step table in place of the equation's; the symplectic methods join the
  // choice where they apply.
  void setSystem(const study::SystemProblem& problem) override;
  TextTableModel* systemModel() const { return systemModel_; }
  void loadSettings(const QSettings& settings) override;
  void saveSettings(QSettings& settings) const override;

 private:
  void check();
  void refillChart();
  void showStage();
  void offerSymplectic(bool offer);

  QComboBox* method_;
  QLineEdit* x1Edit_;
  QLineEdit* nEdit_;
  QLabel* x1Reason_;
  QLabel* nReason_;
  QPushButton* runButton_;
  QLabel* status_;
  QChart* chart_;
  QChartView* chartView_;
  QTableView* view_;
  StepTableModel* model_;
  StagePicture* stagePicture_;
  study::Problem problem_;  // the window's equation and start; x1 comes from the entry
  std::optional<study::SystemProblem> system_;  // set while the window studies a system
  QStackedWidget* results_;
  QTableView* systemView_;
  TextTableModel* systemModel_;
  double shownX1_ = 0.0;
  std::size_t shownMethod_ = 0;
};

}  // namespace kemi::lab
