// The plot area Picture1: a drawing surface kept in an image at the screen's pixel density and
// copied to the screen when the widget paints, so it survives being covered and uncovered.
#pragma once

#include <QImage>
#include <QWidget>
#include <bit>
#include <cmath>
#include <cstdint>

#include "drawing_surface.h"

class PlotArea final : public QWidget, public kemi::DrawingSurface {
  Q_OBJECT

 public:
  explicit PlotArea(QWidget* parent = nullptr);

  void Clear() override;
  void SetScale(double left, double top, double right, double bottom) override;
  // Inline, so that a plot drawn on a PlotArea runs the common case of a long polyline in its
  // own loop: the segment starts where the last one ended, in its colour, and ends in the
  // column the run is open in, so it only widens the run by its end point. The test is made on
  // the floats as given, against the range of abscissae that land in that column and the range
  // of ordinates the mapping keeps finite; the end point is mapped when the run is flushed.
  void DrawLine(float xa, float ya, float xb, float yb,
                std::optional<kemi::Rgb> colour = std::nullopt) override {
    if (joinable_ && pointKey(xa, ya) == end_ && rgbOf(colour) == colour_ && xb >= columnLo_ &&
        xb <= columnHi_ && yb >= finiteLo_ && yb <= finiteHi_) {
      runLow_ = yb < runLow_ ? yb : runLow_;
      runHigh_ = yb > runHigh_ ? yb : runHigh_;
      end_ = pointKey(xb, yb);
      return;
    }
    drawSegment(xa, ya, xb, yb, colour);
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
  void applyScale();
  // Any segment: flushes the open run unless the segment continues it, then lights its columns.
  [[gnu::noinline]] void drawSegment(float xa, float ya, float xb, float yb,
                                     std::optional<kemi::Rgb> colour);
  // A point as one number, so that "starts where the last segment ended" is one comparison of
  // what the last call stored whole. Equal keys are the same floats; +0 and -0 differ, which
  // only means two runs where one would do, not a different pixel.
  static std::uint64_t pointKey(float x, float y) {
    return std::uint64_t{std::bit_cast<std::uint32_t>(x)} << 32 | std::bit_cast<std::uint32_t>(y);
  }
  QRgb rgbOf(std::optional<kemi::Rgb> colour) const {
    return colour ? qRgb(qRed(*colour), qGreen(*colour), qBlue(*colour)) : foreground_;
  }
  void addSpan(int column, double low, double high);
  void findColumnAbscissae(int column);
  void flushSpan() const;
  void scheduleUpdate();

  // The user coordinate system and its mapping to device pixels: px = (x - left) * sx.
  bool userScale_ = false;
  double left_ = 0, top_ = 0, right_ = 1, bottom_ = 1;
  double sx_ = 1, sy_ = 1;
  bool scaleValid_ = false;
  QRgb foreground_ = 0;

  // The floats y whose row (y - top) * sy is finite: all of them unless the scale is extreme.
  float finiteLo_ = 0, finiteHi_ = 0;

  // The polyline being drawn: its colour and where its last segment ended, in user coordinates.
  bool open_ = false;
  QRgb colour_ = 0;
  std::uint64_t end_ = 0;
  // The rows its segments have lit so far in the column where it last ended, not yet in the
  // image. Segments that follow in the same column only widen this run of rows: in device rows
  // for segments drawn in general, as the lowest and highest ordinate for end points added by
  // the inline case.
  mutable bool spanOpen_ = false;
  int spanColumn_ = 0;
  double spanLow_ = 0, spanHigh_ = 0;
  float runLow_ = 0, runHigh_ = 0;
  // Set while the inline case may add to the run: the polyline and the run are open, and the
  // floats columnLo_ to columnHi_ all land in spanColumn_.
  mutable bool joinable_ = false;
  int boundsColumn_ = -1;  // the column columnLo_ and columnHi_ were found for
  float columnLo_ = 0, columnHi_ = 0;

  mutable QImage image_;  // in device pixels; dpr_ of them make one pixel of the widget
  qreal dpr_ = 1;
  bool updateScheduled_ = false;
};
