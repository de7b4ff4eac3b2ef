// The plot area. A line is lit column by column (see column_spans.h); consecutive segments of
// one colour that continue each other within one pixel column only widen the run of rows lit
// there, so a polyline of millions of segments costs a comparison per segment and a write per
// column, and the image is the same as if every segment were lit on its own.
#include "plot_area.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

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
  joinable_ = false;
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
  boundsColumn_ = -1;
  // The row is monotone in y, so when the extreme floats map to finite rows every float does.
  // Only an extreme scale fails this; then the inline case takes no point (lo > hi) and each
  // segment goes the general way, which checks every row.
  const auto row = [this](float y) { return (y - top_) * sy_; };
  const bool allFinite = scaleValid_ && std::isfinite(row(-FLT_MAX)) && std::isfinite(row(FLT_MAX));
  finiteLo_ = allFinite ? -FLT_MAX : 1.0f;
  finiteHi_ = allFinite ? FLT_MAX : 0.0f;
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
  joinable_ = false;
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

void PlotArea::drawSegment(float xa, float ya, float xb, float yb,
                           std::optional<kemi::Rgb> colour) {
  const QRgb rgb = rgbOf(colour);
  // Only a segment that starts where the last one ended, in its colour, may join its run.
  if (!(open_ && rgb == colour_ && pointKey(xa, ya) == end_)) {
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
    if (boundsColumn_ != spanColumn_) findColumnAbscissae(spanColumn_);
    joinable_ = true;
  }
  end_ = pointKey(xb, yb);
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
  runLow_ = std::numeric_limits<float>::infinity();
  runHigh_ = -std::numeric_limits<float>::infinity();
}

// The abscissa's column is monotone in x, so the floats that land in one column form an
// interval, and an interval whose two ends land in the column lies in it. Starts from the
// column's edges mapped back, which are at most a few floats off, and moves each end inward
// until it lands inside; when that fails the interval is left empty and the column's points
// go the general way.
void PlotArea::findColumnAbscissae(int column) {
  boundsColumn_ = column;
  const auto inColumn = [this, column](float x) {
    const double px = (x - left_) * sx_;
    return px >= column && px < column + 1.0;
  };
  const auto toFloat = [](double x) {
    return x >= -FLT_MAX && x <= FLT_MAX ? static_cast<float>(x) : 0.0f;
  };
  const float a = toFloat(left_ + column / sx_);
  const float b = toFloat(left_ + (column + 1) / sx_);
  float lo = std::min(a, b);
  float hi = std::max(a, b);
  for (int k = 0; k < 8 && lo < hi && !inColumn(lo); ++k) lo = std::nextafter(lo, hi);
  for (int k = 0; k < 8 && lo < hi && !inColumn(hi); ++k) hi = std::nextafter(hi, lo);
  if (!(inColumn(lo) && inColumn(hi) && lo <= hi)) {
    lo = 1.0f;
    hi = 0.0f;
  }
  columnLo_ = lo;
  columnHi_ = hi;
}

void PlotArea::flushSpan() const {
  joinable_ = false;
  if (!spanOpen_) return;
  spanOpen_ = false;
  double low = spanLow_;
  double high = spanHigh_;
  if (runLow_ <= runHigh_) {
    // The rows of the end points the inline case added: the row is monotone in y, so the
    // lowest and highest ordinate give the two outermost rows, whichever way the scale runs.
    const double a = (runLow_ - top_) * sy_;
    const double b = (runHigh_ - top_) * sy_;
    low = std::min({low, a, b});
    high = std::max({high, a, b});
  }
  kemi::fillColumnSpan(image_, spanColumn_, low, high, colour_);
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
