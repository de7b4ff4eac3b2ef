// The adaptive tab: one method under the step-size controller on the window's equation, its
// attempts as a table, the solution with accepted and rejected attempts over the h strip, the
// estimate beside the true local error, and on request the work-precision comparison of the
// adaptive sweep with the fixed-step sweep.
#pragma once

#include "lab/lab_tab.h"
#include "lab/lab_widgets.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace kemi::lab {

class AdaptivePicture;
class AdaptiveRunner;
struct AdaptiveWork;
class TextTableModel;

class AdaptiveTab : public LabTab {
  Q_OBJECT

 public:
  explicit AdaptiveTab(QWidget* parent = nullptr);

  // Both start work off the user-interface thread and do nothing while an entry is refused or
  // work runs; Cancel (Esc) stops it and shows what it had done.
  void run();
  void compare();  // the adaptive and the fixed-step sweep of the method
  void cancel();
  bool running() const;
  TextTableModel* model() const { return model_; }
  AdaptivePicture* runPicture() const { return runPicture_; }

  QChartView* chartView() const override { return nullptr; }
  QWidget* picture() const override;
  QTableView* currentTableView() const override { return view_; }
  study::TextTable currentTable() const override;
  QString fileBaseName() const override;
  void setProblem(const study::Problem& problem) override;
  void loadSettings(const QSettings& settings) override;
  void saveSettings(QSettings& settings) const override;

 private:
  bool read(double& tol, double& x1) const;
  void check();
  void start(bool sweep);
  void setBusy(bool busy);
  void onFinished(const AdaptiveWork& work);

  QComboBox* method_;
  Entry tol_;
  Entry x1_;
  QPushButton* runButton_;
  QPushButton* compareButton_;
  QPushButton* cancelButton_;
  QLabel* status_;
  QTableView* view_;
  TextTableModel* model_;
  AdaptivePicture* runPicture_;
  AdaptivePicture* estimates_;
  AdaptivePicture* workPrecision_;
  AdaptiveRunner* runner_;
  study::Problem problem_;
};

}  // namespace kemi::lab
