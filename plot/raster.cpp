// The raster. A line is lit column by column (see column_spans.h); consecutive segments of one
// colour that continue each other within one pixel column only widen the run of rows lit
// there, so a polyline of millions of segments costs a comparison per segment and a write per
// column, and the image is the same as if every segment were lit on its own.
#include "plot/raster.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include "plot/column_spans.h"

namespace kemi {

Raster::Raster(int width, int height, double logicalWidth, double logicalHeight, Rgb background,
               Rgb foreground) {
  setColours(background, foreground);
  resize(width, height, logicalWidth, logicalHeight);
}

void Raster::resize(int width, int height, double logicalWidth, double logicalHeight) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  logicalWidth_ = logicalWidth;
  logicalHeight_ = logicalHeight;
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), background_);
  open_ = false;
  spanOpen_ = false;
  joinable_ = false;
  applyScale();
}

void Raster::setColours(Rgb background, Rgb foreground) {
  flushSpan();
  open_ = false;
  background_ = pixelOf(background);
  foreground_ = pixelOf(foreground);
}

void Raster::applyScale() {
  if (!userScale_) {
    left_ = 0;
    top_ = 0;
    right_ = logicalWidth_;
    bottom_ = logicalHeight_;
  }
  sx_ = width_ / (right_ - left_);
  sy_ = height_ / (bottom_ - top_);
  scaleValid_ = width_ > 0 && height_ > 0 && std::isfinite(left_) && std::isfinite(top_) &&
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

void Raster::Clear() {
  open_ = false;
  spanOpen_ = false;
  joinable_ = false;
  std::fill(pixels_.begin(), pixels_.end(), background_);
}

void Raster::SetScale(double left, double top, double right, double bottom) {
  flushSpan();
  open_ = false;
  userScale_ = true;
  left_ = left;
  top_ = top;
  right_ = right;
  bottom_ = bottom;
  applyScale();
}

void Raster::drawSegment(float xa, float ya, float xb, float yb, std::optional<Rgb> colour) {
  const std::uint32_t pixel = pixelOf(colour);
  // Only a segment that starts where the last one ended, in its colour, may join its run.
  if (!(open_ && pixel == colour_ && pointKey(xa, ya) == end_)) {
    flushSpan();
    open_ = false;
  }
  if (!scaleValid_) return;
  colour_ = pixel;
  const double ax = (xa - left_) * sx_;
  const double bx = (xb - left_) * sx_;
  const bool drawn = forEachColumnSpan(
      ax, (ya - top_) * sy_, bx, (yb - top_) * sy_, width_,
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
}

void Raster::addSpan(int column, double low, double high) {
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
void Raster::findColumnAbscissae(int column) {
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

void Raster::flushSpan() const {
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
  fillColumnSpan(pixels_.data(), width_, height_, spanColumn_, low, high, colour_);
}

const std::uint32_t* Raster::pixels() const {
  flushSpan();
  return pixels_.data();
}

std::uint32_t* Raster::mutablePixels() {
  flushSpan();
  open_ = false;
  return pixels_.data();
}

}  // namespace kemi
