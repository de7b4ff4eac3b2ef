// Inside one step: the point where each stage's slope was taken with that slope as a short
// segment, the trial lines from the step's start to those points, the step itself, and the
// solution through the step's start for comparison, as textbooks draw Runge-Kutta steps. The
// points and slopes are those the step table's stage recording kept.
#pragma once

#include <QPolygonF>
#include <QWidget>
#include <cstdint>

#include "plot/figure/view.h"
#include "study/step_table.h"

namespace kemi::lab {

class StagePicture : public QWidget {
  Q_OBJECT

 public:
  explicit StagePicture(QWidget* parent = nullptr);

  // Shows the step that ends in table.rows[row] (row >= 1), taken by kMethods[method] on
  // `equation`; nothing for a row the table does not have.
  void setStep(const study::AnyEquation& equation, const study::StepTable& table, std::size_t row,
               std::size_t method);
  std::int64_t step() const { return step_; }  // 0 when nothing is shown
  const StageRecord& stages() const { return stages_; }
  // The solution through the step's start as drawn, and whether it is a reference.
  const QPolygonF& solution() const { return solution_; }
  bool reference() const { return reference_; }
  // Where (x, y) lies in the widget, in pixels.
  QPointF toPixel(double x, double y) const;
  QString title() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void describe();
  figure::Transform transform() const;

  std::int64_t step_ = 0;
  std::size_t method_ = 0;
  QPointF start_;
  QPointF end_;
  double h_ = 0.0;
  double estimate_ = 0.0;  // an embedded pair's estimate; NaN for the other methods
  StageRecord stages_;
  QPolygonF solution_;  // through the step's start
  bool reference_ = false;
  double xMin_ = 0.0, xMax_ = 1.0, yMin_ = 0.0, yMax_ = 1.0;
};

}  // namespace kemi::lab
