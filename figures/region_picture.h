// The stability regions in the complex plane, drawn without a widget: each chosen method's
// region {z : |R(z)| <= 1} filled in its colour and outlined, each real-axis stability limit
// marked on the axis with the method's marker, and the step's z = h * lambda marked as a
// point, so a student sees whether the step is inside. The window's view and the command
// line's `stability --chart` both paint this; the layer (plot/figure/region_figure.h) lays it
// out, as it does for the lab page.
#pragma once

#include <QCoreApplication>
#include <QRectF>
#include <QSize>
#include <QString>
#include <cstdint>
#include <vector>

#include "study/stability_region.h"

class QPainter;

namespace kemi::lab {

class RegionPicture {
  Q_DECLARE_TR_FUNCTIONS(RegionPicture)

 public:
  RegionPicture();

  // Methods as indexes into kMethods, drawn in this order.
  void setMethods(const std::vector<std::size_t>& methods);
  const std::vector<std::size_t>& methods() const { return methods_; }
  // Marks z = h * lambda; a point that is not finite is not drawn.
  void setStepPoint(double lambda, double h);
  study::Complex stepPoint() const { return {lambda_ * h_, 0.0}; }
  void setSize(QSize size);

  QString title() const;
  // Which methods are stable at the marked point, in words.
  QString pointText() const;
  // Where z lies in the picture, in pixels.
  QPointF toPixel(study::Complex z) const;
  // The part of the plane shown.
  const study::PlaneGrid& plane() const { return grid_; }

  // The regions are evaluated here, once per change, rather than at each setter: a tab that
  // sets its methods and point in a row, or never shows the picture, pays nothing.
  void paint(QPainter& painter);

 private:
  void relayout();

  std::vector<std::size_t> methods_;
  std::vector<double> limits_;
  double lambda_;
  double h_;
  QSize size_;
  QRectF plot_;
  study::PlaneGrid grid_;
  // Each method's region on grid_; empty until the next paint evaluates them.
  std::vector<std::vector<std::uint8_t>> masks_;
};

}  // namespace kemi::lab
