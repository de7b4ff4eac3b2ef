// The main window: the initial point, target point and step size, the seven method options,
// CALCULATE, the results list and the plot area. It builds the controls and hands a press of
// CALCULATE to the calculation run; the arithmetic lives in the core, the drawing in the plot.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

#include "core/calculation.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kemi {

class PlotArea;

class Form_About;

class Form1 : public QMainWindow, private RunView {
  Q_OBJECT

 public:
  // Tells the student why a run stopped. The default opens a warning box over the window and
  // returns at once; tests put their own in its place.
  using StopReporter = std::function<void(const QString& cause)>;

  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

  void setStopReporter(StopReporter reporter);
  // The About window once the user has asked for it, null before.
  Form_About* aboutWindow() const { return about_.get(); }

 private:
  void Command1_Click();
  void Mn_About_Click();
  const MethodInfo& selectedMethod() const;
  void reportStop(const QString& cause);

  // RunView: what a run shows in this window.
  void showStepSize(const std::string& text) override;
  void appendLines(const std::array<std::string, 4>& lines) override;
  std::optional<std::string> redraw(const Calculation& calc, double& x0, double& x1) override;

  QLineEdit* Text_x0 = nullptr;
  QLineEdit* Text_y0 = nullptr;
  QLineEdit* Text_x1 = nullptr;
  QLineEdit* Text_N = nullptr;
  QLineEdit* Text_h = nullptr;
  QPushButton* Command1 = nullptr;
  std::array<QRadioButton*, kMethods.size()> options_{};
  QListWidget* List1 = nullptr;
  PlotArea* Picture1 = nullptr;

  Calculation calc_;
  StopReporter reporter_;
  std::unique_ptr<Form_About> about_;
};

}  // namespace kemi
