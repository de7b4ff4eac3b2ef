// The plot area Picture1: a drawing surface kept in a raster at the screen's pixel density and
// copied to the screen when the widget paints, so it survives being covered and uncovered.
#pragma once

#include <QImage>
#include <QWidget>

#include "plot/raster.h"

namespace kemi {

class PlotArea final : public QWidget, public DrawingSurface {
  Q_OBJECT

 public:
  explicit PlotArea(QWidget* parent = nullptr);

  void Clear() override;
  void SetScale(double left, double top, double right, double bottom) override;
  // Inline, so that a plot's long polyline reaches the raster's own inline case.
  void DrawLine(float xa, float ya, float xb, float yb,
                std::optional<Rgb> colour = std::nullopt) override {
    raster_.DrawLine(xa, ya, xb, yb, colour);
    if (!updateScheduled_) scheduleUpdate();
  }

  // The drawing so far, every pending line included, at the device pixel ratio.
  QImage image() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void recreateImage();
  void fitImage();
  void scheduleUpdate();
  // The raster's pixels seen as an image, without a copy.
  QImage view() const;

  Raster raster_;
  qreal dpr_ = 1;
  bool updateScheduled_ = false;
};

}  // namespace kemi
