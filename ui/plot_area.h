// The plot area Picture1: a drawing surface kept in an image at the screen's pixel density and
// copied to the screen when the widget paints, so it survives being covered and uncovered.
#pragma once

#include <QImage>
#include <QWidget>

#include "drawing_surface.h"

class PlotArea : public QWidget, public kemi::DrawingSurface {
  Q_OBJECT

 public:
  explicit PlotArea(QWidget* parent = nullptr);

  void Clear() override;
  void SetScale(double left, double top, double right, double bottom) override;
  void DrawLine(float xa, float ya, float xb, float yb,
                std::optional<kemi::Rgb> colour = std::nullopt) override;

  // The drawing so far, every pending line included, at the device pixel ratio.
  QImage image() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void recreateImage();
  void fitImage();
  void applyScale();
  // Any segment: flushes the open run unless the segment continues it, then lights its columns.
  [[gnu::noinline]] void drawSegment(float xa, float ya, float xb, float yb,
                                     std::optional<kemi::Rgb> colour);
  void addSpan(int column, double low, double high);
  void flushSpan() const;
  void scheduleUpdate();

  // The user coordinate system and its mapping to device pixels: px = (x - left) * sx.
  bool userScale_ = false;
  double left_ = 0, top_ = 0, right_ = 1, bottom_ = 1;
  double sx_ = 1, sy_ = 1;
  bool scaleValid_ = false;
  QRgb foreground_ = 0;

  // The polyline being drawn: its colour and where its last segment ended, in user coordinates.
  bool open_ = false;
  QRgb colour_ = 0;
  float endX_ = 0, endY_ = 0;
  // The rows its segments have lit so far in the column where it last ended, not yet in the
  // image. Segments that follow in the same column only widen this run of rows.
  mutable bool spanOpen_ = false;
  int spanColumn_ = 0;
  double spanLow_ = 0, spanHigh_ = 0;

  mutable QImage image_;  // in device pixels; dpr_ of them make one pixel of the widget
  qreal dpr_ = 1;
  bool updateScheduled_ = false;
};
