// The Solution picture on screen, after Qt's mandelbrot example: the widget keeps a view box,
// maps drags, the wheel and keys to it, and repaints from data it already holds into a QImage
// that paintEvent copies. A click (a press and release without a drag) chooses the start there.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "figures/solution_picture.h"

namespace kemi::lab {

class SolutionView : public QWidget {
  Q_OBJECT

 public:
  explicit SolutionView(QWidget* parent = nullptr);

  // A new slope function: the field is computed again.
  void setSlope(Slope slope);
  void setScene(SolutionScene scene);
  const SolutionScene& scene() const { return scene_; }
  const Slope& slope() const { return slope_; }

  void setViewBox(const ViewBox& box);
  const ViewBox& viewBox() const { return box_; }
  // The box that shows the whole scene, which Home and the 0 key return to.
  void showWholeScene();

  // The plane point under a pixel of the widget.
  QPointF worldAt(QPointF pixel) const;
  QPointF pixelOf(QPointF world) const;
  // The marks as last drawn, in widget pixels.
  const std::vector<QLineF>& field() const { return field_; }

  QSize sizeHint() const override { return {780, 560}; }

 signals:
  void startChosen(QPointF start);
  void viewBoxChanged(const ViewBox& box);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void invalidate(bool fieldToo);
  void render();

  Slope slope_;
  SolutionScene scene_;
  ViewBox box_;
  std::vector<QLineF> field_;
  QImage image_;
  bool imageStale_ = true;
  bool fieldStale_ = true;
  QPoint pressAt_;
  ViewBox pressBox_;
  bool pressed_ = false;
  bool dragging_ = false;
};

}  // namespace kemi::lab
