// The plot area Picture1: a drawing surface kept in an image at the screen's pixel density and
// copied to the screen when the widget paints, so it survives being covered and uncovered.
#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>
#include <cstdint>
#include <vector>

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
  // A run of consecutive points in one pixel column, kept as its first, lowest, highest and
  // last point (the M4 reduction): the column's pixels are the same with or without the rest.
  struct Point {
    double x, y;
    std::int64_t index;
  };
  struct Column {
    std::int64_t key = 0;
    Point first{}, low{}, high{}, last{};
  };

  void recreateImage();
  void fitImage();
  void applyScale();
  void startPolyline(QRgb colour, double px, double py);
  void addPoint(double px, double py);
  void push(const Point& p) { points_.emplace_back(p.x, p.y); }
  void endColumn();
  void endPolyline();
  void paintPending();
  void flush();

  // The user coordinate system and its mapping to device pixels: px = (x - left) * sx.
  bool userScale_ = false;
  double left_ = 0, top_ = 0, right_ = 1, bottom_ = 1;
  double sx_ = 1, sy_ = 1;
  bool scaleValid_ = false;
  QRgb foreground_ = 0;

  // The open polyline: its colour and where its last segment ended, in user coordinates.
  bool open_ = false;
  QRgb colour_ = 0;
  float endX_ = 0, endY_ = 0;
  bool inColumn_ = false;
  Column column_;
  std::int64_t pointIndex_ = 0;

  // Reduced polylines of one colour not yet painted: their points in device pixels and where
  // each begins.
  QImage image_;  // in device pixels; dpr_ of them make one pixel of the widget
  qreal dpr_ = 1;
  std::vector<QPointF> points_;
  std::vector<std::size_t> starts_;
  QRgb pendingColour_ = 0;
};
