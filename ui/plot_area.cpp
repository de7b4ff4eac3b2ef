// The plot area. Lines are mapped to device pixels at once but painted in batches: consecutive
// segments of one colour that continue each other form a polyline, and the points of that
// polyline that fall into one pixel column are reduced to four, so the painter's work grows
// with the width of the area and not with the number of segments.
#include "plot_area.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QColor kBackground(255, 255, 192);

// Columns are the painter's: a 1-pixel line through x in [c, c + 1) lights column c. A point
// this close to a column edge is kept as it is, so rounding inside the painter cannot move it
// into the neighbouring column behind the reduction's back.
constexpr double kEdgeGuard = 1.0 / 16;
// All points left (right) of the area share one column: the lines between them cannot reach it.
constexpr std::int64_t kLeftOfArea = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kRightOfArea = std::numeric_limits<std::int64_t>::max();
// Pending points are painted when there are this many, to bound the memory a scribble takes.
constexpr std::size_t kMaxPending = 1 << 16;
// Beyond this many pixels from the area the painter loses precision; such lines are clipped
// here first.
constexpr double kFar = 1e9;

bool isFar(const QPointF& p) {
  return !(std::abs(p.x()) <= kFar && std::abs(p.y()) <= kFar);
}

// Cuts the segment a-b to the half-planes -limit <= x, y <= limit, one side after another. The
// new end is found from the side it is cut at, so a horizontal or vertical line stays exact.
bool clipFar(QPointF& a, QPointF& b) {
  const double limit = kFar / 1000;
  double p[2][2] = {{a.x(), a.y()}, {b.x(), b.y()}};
  for (int axis = 0; axis < 2; ++axis) {
    const int other = 1 - axis;
    for (const double edge : {-limit, limit}) {
      const auto outside = [&](const double* q) {
        return edge < 0 ? q[axis] < edge : q[axis] > edge;
      };
      const bool outA = outside(p[0]);
      const bool outB = outside(p[1]);
      if (outA && outB) return false;
      if (!outA && !outB) continue;
      double* cut = outA ? p[0] : p[1];
      const double* keep = outA ? p[1] : p[0];
      const double t = (edge - keep[axis]) / (cut[axis] - keep[axis]);
      cut[other] = keep[other] + t * (cut[other] - keep[other]);
      cut[axis] = edge;
    }
  }
  for (const auto& q : p) {
    if (!std::isfinite(q[0]) || !std::isfinite(q[1])) return false;
  }
  a = QPointF(p[0][0], p[0][1]);
  b = QPointF(p[1][0], p[1][1]);
  return true;
}

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
  points_.clear();
  starts_.clear();
  open_ = false;
  inColumn_ = false;
  applyScale();
  update();
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

void PlotArea::Clear() {
  fitImage();
  points_.clear();
  starts_.clear();
  open_ = false;
  inColumn_ = false;
  image_.fill(palette().color(backgroundRole()));
  update();
}

void PlotArea::SetScale(double left, double top, double right, double bottom) {
  endPolyline();
  fitImage();
  userScale_ = true;
  left_ = left;
  top_ = top;
  right_ = right;
  bottom_ = bottom;
  applyScale();
}

void PlotArea::DrawLine(float xa, float ya, float xb, float yb, std::optional<kemi::Rgb> colour) {
  if (!scaleValid_ || !std::isfinite(xa) || !std::isfinite(ya) || !std::isfinite(xb) ||
      !std::isfinite(yb)) {
    return;
  }
  const QRgb rgb = colour ? qRgb(qRed(*colour), qGreen(*colour), qBlue(*colour)) : foreground_;
  if (!open_ || rgb != colour_ || xa != endX_ || ya != endY_) {
    startPolyline(rgb, (xa - left_) * sx_, (ya - top_) * sy_);
  }
  addPoint((xb - left_) * sx_, (yb - top_) * sy_);
  endX_ = xb;
  endY_ = yb;
}

void PlotArea::startPolyline(QRgb colour, double px, double py) {
  endPolyline();
  if (colour != pendingColour_) paintPending();
  pendingColour_ = colour;
  colour_ = colour;
  open_ = true;
  starts_.push_back(points_.size());
  addPoint(px, py);
  update();
}

void PlotArea::addPoint(double px, double py) {
  if (points_.size() >= kMaxPending && !starts_.empty()) {
    // Paint what is reduced so far and go on from its last point.
    const QPointF last = points_.back();
    paintPending();
    starts_.push_back(0);
    points_.push_back(last);
  }
  const Point p{px, py, pointIndex_++};
  std::int64_t key;
  bool safe = true;
  if (!(px >= -2.0)) {
    key = kLeftOfArea;
  } else if (px >= image_.width() + 2.0) {
    key = kRightOfArea;
  } else {
    const double column = std::floor(px);
    const double offset = px - column;
    key = static_cast<std::int64_t>(column);
    safe = offset >= kEdgeGuard && offset <= 1 - kEdgeGuard;
  }
  if (inColumn_ && safe && key == column_.key) {
    if (py < column_.low.y) column_.low = p;
    if (py > column_.high.y) column_.high = p;
    column_.last = p;
    return;
  }
  endColumn();
  if (safe) {
    column_ = Column{key, p, p, p, p};
    inColumn_ = true;
  } else {
    push(p);
  }
}

void PlotArea::endColumn() {
  if (!inColumn_) return;
  inColumn_ = false;
  const Column& c = column_;
  push(c.first);
  const Point& a = c.low.index < c.high.index ? c.low : c.high;
  const Point& b = c.low.index < c.high.index ? c.high : c.low;
  if (a.index != c.first.index && a.index != c.last.index) push(a);
  if (b.index != a.index && b.index != c.first.index && b.index != c.last.index) push(b);
  if (c.last.index != c.first.index) push(c.last);
}

void PlotArea::endPolyline() {
  endColumn();
  open_ = false;
}

void PlotArea::paintPending() {
  if (starts_.empty()) {
    points_.clear();
    return;
  }
  QPainter painter(&image_);
  QPen pen(QColor::fromRgb(pendingColour_), 1);
  pen.setCosmetic(true);
  painter.setPen(pen);
  // Each reduced segment is drawn as a line of its own, as the caller's segments would be: a
  // polyline joins its corners by other rules and lights a few different pixels.
  std::vector<QLineF> lines;
  for (std::size_t k = 0; k < starts_.size(); ++k) {
    const std::size_t begin = starts_[k];
    const std::size_t end = k + 1 < starts_.size() ? starts_[k + 1] : points_.size();
    for (std::size_t i = begin + 1; i < end; ++i) {
      QPointF a = points_[i - 1];
      QPointF b = points_[i];
      if (isFar(a) || isFar(b)) {
        if (!clipFar(a, b)) continue;
      }
      lines.emplace_back(a, b);
    }
  }
  painter.drawLines(lines.data(), static_cast<int>(lines.size()));
  points_.clear();
  starts_.clear();
}

void PlotArea::flush() {
  endPolyline();
  paintPending();
}

QImage PlotArea::image() const {
  // Painting the pending lines changes nothing a caller can see.
  auto* self = const_cast<PlotArea*>(this);
  self->flush();
  self->fitImage();
  QImage copy = image_;
  copy.setDevicePixelRatio(dpr_);
  return copy;
}

void PlotArea::paintEvent(QPaintEvent* event) {
  flush();
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
    flush();
    foreground_ = palette().color(foregroundRole()).rgb();
  }
}
