// The Solution view: view-box changes from mouse and keys, and the picture redrawn only when its
// data, view box or size changed.
#include "lab/solution_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>
#include <utility>

namespace kemi::lab {
namespace {

constexpr double kZoomStep = 1.25;
constexpr double kMarkLength = 16.0;
constexpr int kDragThreshold = 4;  // pixels a press may move and still be a click

}  // namespace

SolutionView::SolutionView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("solutionView"));
  setAccessibleName(tr("Solution picture"));
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(420, 300);
  setCursor(Qt::CrossCursor);
  setToolTip(
      tr("Click: start here. Drag or arrow keys: pan. Wheel or +/-: zoom. "
         "Home or 0: the whole solution."));
}

void SolutionView::setSlope(Slope slope) {
  slope_ = std::move(slope);
  invalidate(true);
}

void SolutionView::setScene(SolutionScene scene) {
  scene_ = std::move(scene);
  invalidate(false);
}

void SolutionView::setViewBox(const ViewBox& box) {
  const bool usable = box.xMax > box.xMin && box.yMax > box.yMin &&
                      std::isfinite(box.xMax - box.xMin) && std::isfinite(box.yMax - box.yMin);
  if (!usable || box == box_) return;
  box_ = box;
  invalidate(true);
  emit viewBoxChanged(box_);
}

void SolutionView::showWholeScene() {
  setViewBox(boxAround(scene_));
}

QPointF SolutionView::worldAt(QPointF pixel) const {
  return ViewTransform(box_, plotRectIn(QRectF(rect()))).toWorld(pixel);
}

QPointF SolutionView::pixelOf(QPointF world) const {
  return ViewTransform(box_, plotRectIn(QRectF(rect()))).toPixel(world.x(), world.y());
}

void SolutionView::invalidate(bool fieldToo) {
  imageStale_ = true;
  fieldStale_ = fieldStale_ || fieldToo;
  update();
}

void SolutionView::render() {
  const QRectF area(rect());
  if (fieldStale_) {
    field_ = slope_ ? directionField(slope_, ViewTransform(box_, plotRectIn(area)), kFieldColumns,
                                     kFieldRows, kMarkLength)
                    : std::vector<QLineF>{};
    fieldStale_ = false;
  }
  const qreal ratio = devicePixelRatioF();
  if (image_.size() != size() * ratio) {
    image_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image_.setDevicePixelRatio(ratio);
  }
  QPainter painter(&image_);
  drawSolution(painter, area, box_, field_, scene_);
  imageStale_ = false;
}

void SolutionView::paintEvent(QPaintEvent*) {
  if (imageStale_) render();
  QPainter painter(this);
  painter.drawImage(QPointF(0.0, 0.0), image_);
  if (hasFocus()) {
    painter.setPen(QPen(palette().highlight().color(), 2.0));
    painter.drawRect(QRectF(rect()).adjusted(1.0, 1.0, -1.0, -1.0));
  }
}

void SolutionView::resizeEvent(QResizeEvent*) {
  invalidate(true);
}

void SolutionView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  dragging_ = false;
  pressAt_ = event->position().toPoint();
  pressBox_ = box_;
}

void SolutionView::mouseMoveEvent(QMouseEvent* event) {
  if (!pressed_) return;
  const QPoint moved = event->position().toPoint() - pressAt_;
  if (!dragging_ && moved.manhattanLength() < kDragThreshold) return;
  dragging_ = true;
  setCursor(Qt::ClosedHandCursor);
  // Panning from the box at the press, so the point under the cursor stays under it.
  const ViewTransform t(pressBox_, plotRectIn(QRectF(rect())));
  const QPointF from = t.toWorld(QPointF(pressAt_));
  const QPointF to = t.toWorld(event->position());
  setViewBox(pressBox_.movedBy(from.x() - to.x(), from.y() - to.y()));
}

void SolutionView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  setCursor(Qt::CrossCursor);
  if (dragging_) return;
  if (!plotRectIn(QRectF(rect())).contains(event->position())) return;
  emit startChosen(worldAt(event->position()));
}

void SolutionView::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches == 0.0) return;
  setViewBox(box_.zoomedAbout(worldAt(event->position()), std::pow(kZoomStep, notches)));
  event->accept();
}

void SolutionView::keyPressEvent(QKeyEvent* event) {
  const double w = box_.xMax - box_.xMin;
  const double h = box_.yMax - box_.yMin;
  const QPointF centre((box_.xMin + box_.xMax) / 2.0, (box_.yMin + box_.yMax) / 2.0);
  switch (event->key()) {
    case Qt::Key_Left:
      setViewBox(box_.movedBy(-w / 10.0, 0.0));
      break;
    case Qt::Key_Right:
      setViewBox(box_.movedBy(w / 10.0, 0.0));
      break;
    case Qt::Key_Up:
      setViewBox(box_.movedBy(0.0, h / 10.0));
      break;
    case Qt::Key_Down:
      setViewBox(box_.movedBy(0.0, -h / 10.0));
      break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      setViewBox(box_.zoomedAbout(centre, kZoomStep));
      break;
    case Qt::Key_Minus:
      setViewBox(box_.zoomedAbout(centre, 1.0 / kZoomStep));
      break;
    case Qt::Key_Home:
    case Qt::Key_0:
      showWholeScene();
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

}  // namespace kemi::lab
