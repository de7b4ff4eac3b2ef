// The stability regions on screen: a widget around the region picture, which it repaints when
// the methods, the step's point or the size change, and whose description a screen reader
// reads.
#pragma once

#include <QWidget>
#include <vector>

#include "figures/region_picture.h"

namespace kemi::lab {

class StabilityRegionView : public QWidget {
  Q_OBJECT

 public:
  explicit StabilityRegionView(QWidget* parent = nullptr);

  // Methods as indexes into kMethods, drawn in this order.
  void setMethods(const std::vector<std::size_t>& methods);
  const std::vector<std::size_t>& methods() const { return picture_.methods(); }
  // Marks z = h * lambda; a point that is not finite is not drawn.
  void setStepPoint(double lambda, double h);
  study::Complex stepPoint() const { return picture_.stepPoint(); }

  QString title() const { return picture_.title(); }
  // Which methods are stable at the marked point, in words; also the accessible description.
  QString pointText() const { return picture_.pointText(); }
  // Where z lies in the widget, in pixels.
  QPointF toPixel(study::Complex z) const { return picture_.toPixel(z); }
  // The part of the plane shown.
  const study::PlaneGrid& plane() const { return picture_.plane(); }

 signals:
  void pointTextChanged(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void describe();

  RegionPicture picture_;
};

}  // namespace kemi::lab
