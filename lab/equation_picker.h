// The equation for the whole window: the presets and the preset systems, shown as formulas with
// their start, and "Your own...", which opens entries for f, x0, y0, an optional exact solution
// and, for a system, an optional invariant. f as "E1; E2" is a system in x, y1, y2; one f with
// y0 as "A; B" is a second-order equation y'' = f(x, y, v). Each
// entry is checked as it is typed, with the reason under it; only an equation without a fault
// is handed on, when the student pauses, presses Enter or leaves the entry.
#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "study/problem.h"
#include "study/system.h"

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
  // The system chosen or typed; null while the window studies one equation.
  const study::SystemProblem* system() const { return system_ ? &*system_ : nullptr; }
  bool ownEquationFaulty() const;

  void loadSettings(const QSettings& settings);
  void saveSettings(QSettings& settings) const;

  // Checks the typed entries at once and hands on the equation when it has no fault.
  void applyNow();

 signals:
  void problemChanged(const study::Problem& problem);
  void systemChanged(const study::SystemProblem& problem);

 private:
  void choose(int index);
  void check();
  // Shows each entry's reason; hands the equation or system on when `apply`, otherwise waits
  // for a pause in the typing.
  void evaluate(bool apply);
  void setProblem(const study::Problem& problem);
  void setSystem(const study::SystemProblem& problem);

  QComboBox* choice_;
  QWidget* own_;
  std::array<QLineEdit*, 5> edits_{};  // f, x0, y0, exact, invariant
  std::array<QLabel*, 5> reasons_{};
  QTimer* pause_;
  study::Problem problem_;
  std::optional<study::SystemProblem> system_;
};

}  // namespace kemi::lab
