// The stability regions in the complex plane: each chosen method's region {z : |R(z)| <= 1}
// filled in its colour and outlined, each real-axis stability limit marked on the axis with the
// method's marker, and the step's z = h * lambda marked as a point, so a student sees whether
// the step is inside. The regions are a QImage over the plot, rebuilt when the methods, the
// point's reach or the size change, at the next paint; axes, marks and legend are drawn over it.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <vector>

#include "stability_region.h"

namespace kemi::lab {

class StabilityRegionView : public QWidget {
  Q_OBJECT

 public:
  explicit StabilityRegionView(QWidget* parent = nullptr);

  // Methods as indexes into kMethods, drawn in this order.
  void setMethods(const std::vector<std::size_t>& methods);
  const std::vector<std::size_t>& methods() const { return methods_; }
  // Marks z = h * lambda; a point that is not finite is not drawn.
  void setStepPoint(double lambda, double h);
  study::Complex stepPoint() const { return {lambda_ * h_, 0.0}; }

  QString title() const;
  // Which methods are stable at the marked point, in words; also the accessible description.
  QString pointText() const;
  // Where z lies in the widget, in pixels.
  QPointF toPixel(study::Complex z) const;
  // The part of the plane shown.
  const study::PlaneGrid& plane() const { return grid_; }

 signals:
  void pointTextChanged(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void relayout();
  void describe();
  void drawAxes(QPainter& painter) const;
  void drawLegend(QPainter& painter) const;
  void drawPoint(QPainter& painter) const;

  std::vector<std::size_t> methods_;
  std::array<double, 7> limits_{};
  double lambda_ = 0.0;
  double h_ = 0.0;
  QRect plot_;
  study::PlaneGrid grid_;
  QImage regions_;  // null until the next paint evaluates the regions
};

}  // namespace kemi::lab
