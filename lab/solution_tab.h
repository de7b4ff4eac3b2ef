// The Solution tab: the start (x0, y0), x1, N and the methods; the picture of the direction
// field with the solution and each method's polygon; and the table of the methods' ends and
// errors. A click in the picture moves the start there, keeping the interval's length. For a
// system the tab shows the system panel instead (phase plane, components, invariant drift).
#pragma once

#include <array>

#include "figures/solution_scene.h"
#include "lab/lab_tab.h"
#include "study/system.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QStackedWidget;

namespace kemi::lab {

class MethodChoice;
class SolutionView;
class SystemPanel;
class TextTableModel;

class SolutionTab : public LabTab {
  Q_OBJECT

 public:
  explicit SolutionTab(QWidget* parent = nullptr);

  SolutionView* view() const { return view_; }
  TextTableModel* model() const { return model_; }
  const SolutionRequest& request() const { return request_; }
  const SolutionResult& result() const { return result_; }

  void setProblem(const study::Problem& problem) override;
  void setSystem(const study::SystemProblem& problem) override;
  bool showsSystem() const;
  SystemPanel* systemPanel() const { return system_; }
  void setStart(QPointF start);

  QChartView* chartView() const override { return nullptr; }
  bool writePicture(const QString& path, QString& error) const override;
  QTableView* currentTableView() const override;
  study::TextTable currentTable() const override;
  QString fileBaseName() const override { return QStringLiteral("kemi-lab-solution"); }
  void loadSettings(const QSettings& settings) override;
  void saveSettings(QSettings& settings) const override;

 signals:
  // The step size h = (x1 - x0) / N of the picture, for the stability picture's h*lambda.
  void stepSizeChanged(double h);

 private:
  void check();
  void redraw();

  study::Problem problem_;
  std::array<QLineEdit*, 4> edits_{};  // x0, y0, x1, N
  std::array<QLabel*, 4> reasons_{};
  MethodChoice* methods_;
  QLabel* methodsReason_;
  QLabel* note_;
  SolutionView* view_;
  QTableView* table_;
  TextTableModel* model_;
  SystemPanel* system_;
  QStackedWidget* pages_;
  SolutionRequest request_;
  SolutionResult result_;
  bool filling_ = true;  // entries being set from code (or built): one redraw at the end
};

}  // namespace kemi::lab
