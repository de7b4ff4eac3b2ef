// The plot area. A line is lit column by column (see column_spans.h); consecutive segments of
// one colour that continue each other within one pixel column only widen the run of rows lit
// there, so a polyline of millions of segments costs a comparison per segment and a write per
// column, and the image is the same as if every segment were lit on its own.
#include "plot_area.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <cmath>

#include "column_spans.h"

namespace {

const QColor kBackground(255, 255, 192);

}  // namespace

PlotArea::PlotArea(QWidget* parent) : QWidget(parent) {
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kBackground);
  setPalette(pal);
  setAttribute(Qt::WA_OpaquePaintEvent);
  foreground_ = palette().color(foregroundRole()).rgb();
  recreateImage();
}

void PlotArea::recreateImage() {
  dpr_ = devicePixelRatioF();
  image_ = QImage(size() * dpr_, QImage::Format_RGB32);
  image_.fill(palette().color(backgroundRole()));
  open_ = false;
  spanOpen_ = false;
  applyScale();
  scheduleUpdate();
}

void PlotArea::applyScale() {
  if (!userScale_) {
    left_ = 0;
    top_ = 0;
    right_ = width();
    bottom_ = height();
  }
  sx_ = image_.width() / (right_ - left_);
  sy_ = image_.height() / (bottom_ - top_);
  scaleValid_ = !image_.isNull() && std::isfinite(left_) && std::isfinite(top_) &&
                std::isfinite(sx_) && std::isfinite(sy_) && sx_ != 0 && sy_ != 0;
}

// A hidden widget hears of a resize only when shown; the operations look at the size themselves.
void PlotArea::fitImage() {
  if (image_.size() != size() * devicePixelRatioF()) recreateImage();
}

void PlotArea::scheduleUpdate() {
  if (updateScheduled_) return;
  updateScheduled_ = true;
  update();
}

void PlotArea::Clear() {
  fitImage();
  open_ = false;
  spanOpen_ = false;
  image_.fill(palette().color(backgroundRole()));
  scheduleUpdate();
}

void PlotArea::SetScale(double left, double top, double right, double bottom) {
  flushSpan();
  open_ = false;
  fitImage();
  userScale_ = true;
  left_ = left;
  top_ = top;
  right_ = right;
  bottom_ = bottom;
  applyScale();
}

void PlotArea::DrawLine(float xa, float ya, float xb, float yb, std::optional<kemi::Rgb> colour) {
  // The common case of a long polyline, kept free of the general case's set-up: the segment
  // starts in the open column (where the last one ended), in its colour, and ends there too, so
  // it only widens the run by its end point.
  if (spanOpen_ && open_ && xa == endX_ && ya == endY_ &&
      (colour ? qRgb(qRed(*colour), qGreen(*colour), qBlue(*colour)) : foreground_) == colour_) {
    const double bx = (xb - left_) * sx_;
    const double by = (yb - top_) * sy_;
    if (bx >= spanColumn_ && bx < spanColumn_ + 1.0 && std::isfinite(by)) {
      spanLow_ = std::min(spanLow_, by);
      spanHigh_ = std::max(spanHigh_, by);
      endX_ = xb;
      endY_ = yb;
      return;
    }
  }
  drawSegment(xa, ya, xb, yb, colour);
}

void PlotArea::drawSegment(float xa, float ya, float xb, float yb,
                           std::optional<kemi::Rgb> colour) {
  const QRgb rgb = colour ? qRgb(qRed(*colour), qGreen(*colour), qBlue(*colour)) : foreground_;
  // Only a segment that starts where the last one ended, in its colour, may join its run.
  if (!(open_ && rgb == colour_ && xa == endX_ && ya == endY_)) {
    flushSpan();
    open_ = false;
  }
  if (!scaleValid_) return;
  colour_ = rgb;
  const double ax = (xa - left_) * sx_;
  const double bx = (xb - left_) * sx_;
  const bool drawn = kemi::forEachColumnSpan(
      ax, (ya - top_) * sy_, bx, (yb - top_) * sy_, image_.width(),
      [this](int column, double low, double high) { addSpan(column, low, high); });
  // The run stays open only while the segment's end lies in its column; a polyline that goes
  // out of the area and comes back must not join the rows where it left and where it returned.
  if (!drawn || !spanOpen_ || std::floor(bx) != spanColumn_) {
    flushSpan();
    open_ = drawn;
  } else {
    open_ = true;
  }
  endX_ = xb;
  endY_ = yb;
  scheduleUpdate();
}

void PlotArea::addSpan(int column, double low, double high) {
  if (spanOpen_ && column == spanColumn_) {
    spanLow_ = std::min(spanLow_, low);
    spanHigh_ = std::max(spanHigh_, high);
    return;
  }
  flushSpan();
  spanOpen_ = true;
  spanColumn_ = column;
  spanLow_ = low;
  spanHigh_ = high;
}

void PlotArea::flushSpan() const {
  if (!spanOpen_) return;
  spanOpen_ = false;
  kemi::fillColumnSpan(image_, spanColumn_, spanLow_, spanHigh_, colour_);
}

QImage PlotArea::image() const {
  flushSpan();
  if (image_.size() != size() * devicePixelRatioF()) const_cast<PlotArea*>(this)->fitImage();
  QImage copy = image_;
  copy.setDevicePixelRatio(dpr_);
  return copy;
}

void PlotArea::paintEvent(QPaintEvent* event) {
  updateScheduled_ = false;
  flushSpan();
  if (devicePixelRatioF() != dpr_) {
    // Moved to a screen of another density: keep the drawing, scaled, until the next run.
    const QImage old = image_;
    recreateImage();
    QPainter(&image_).drawImage(QRectF(image_.rect()), old);
  }
  QPainter painter(this);
  const QRectF area(event->rect());
  painter.drawImage(area, image_, QRectF(area.topLeft() * dpr_, area.size() * dpr_));
}

void PlotArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  recreateImage();
}

void PlotArea::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) {
    flushSpan();
    open_ = false;
    foreground_ = palette().color(foregroundRole()).rgb();
  }
}
