// The equation for the whole window: the presets, shown as formulas with their start, and
// "Your own...", which opens entries for f(x, y), x0, y0 and an optional exact solution. Each
// entry is checked as it is typed, with the reason under it; only an equation without a fault
// is handed on, when the student pauses, presses Enter or leaves the entry.
#pragma once

#include <QWidget>
#include <array>

#include "study/problem.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QSettings;
class QTimer;

namespace kemi::lab {

class EquationPicker : public QWidget {
  Q_OBJECT

 public:
  explicit EquationPicker(QWidget* parent = nullptr);

  const study::Problem& problem() const { return problem_; }
  bool ownEquationFaulty() const;

  void loadSettings(const QSettings& settings);
  void saveSettings(QSettings& settings) const;

  // Checks the typed entries at once and hands on the equation when it has no fault.
  void applyNow();

 signals:
  void problemChanged(const study::Problem& problem);

 private:
  void choose(int index);
  void check();
  void setProblem(const study::Problem& problem);

  QComboBox* choice_;
  QWidget* own_;
  std::array<QLineEdit*, 4> edits_{};  // f, x0, y0, exact
  std::array<QLabel*, 4> reasons_{};
  QTimer* pause_;
  study::Problem problem_;
};

}  // namespace kemi::lab
