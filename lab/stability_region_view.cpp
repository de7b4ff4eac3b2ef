// The region view: the picture's state follows the widget, the painting is the picture's.
#include "lab/stability_region_view.h"

#include <QPainter>

namespace kemi::lab {

StabilityRegionView::StabilityRegionView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Stability regions"));
  setAccessibleName(tr("Stability regions"));
  setMinimumSize(420, 300);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);  // so that a screen reader reaches its description
  picture_.setSize(size());
  describe();
}

void StabilityRegionView::setMethods(const std::vector<std::size_t>& methods) {
  picture_.setMethods(methods);
  describe();
}

void StabilityRegionView::setStepPoint(double lambda, double h) {
  picture_.setStepPoint(lambda, h);
  describe();
}

void StabilityRegionView::describe() {
  const QString text = pointText();
  setAccessibleDescription(text);
  setToolTip(text);
  emit pointTextChanged(text);
  update();
}

void StabilityRegionView::resizeEvent(QResizeEvent* /*event*/) {
  picture_.setSize(size());
}

void StabilityRegionView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  picture_.paint(painter);
}

}  // namespace kemi::lab
