// The region picture. The plane keeps one scale on both axes, so that a circle looks round,
// and reaches far enough left to show the marked point (up to kFarthest).
#include "figures/region_picture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

#include "core/method_table.h"
#include "figures/figure_painter.h"
#include "plot/figure/description.h"
#include "plot/figure/region_pixels.h"
#include "plot/figure/view.h"
#include "study/stability.h"
#include "study/text_table.h"

namespace kemi::lab {
namespace {

// The plane shown without a point: every method's region fits with a margin.
constexpr double kReMin = -4.2;
constexpr double kReMax = 1.0;
constexpr double kImMax = 3.9;
constexpr double kFarthest = 60.0;  // no point moves the plane's edge further out
constexpr int kLeft = 48, kTop = 34, kRight = 210, kBottom = 44;
constexpr double kStacked = 11.0;  // pixels between markers of methods with the same limit

QString idOf(std::size_t method) {
  return QString::fromLatin1(kMethods[method].id.data(),
                             static_cast<qsizetype>(kMethods[method].id.size()));
}

QString numberText(double value) {
  return QString::fromStdString(study::shortestText(value));
}

figure::Transform transformOf(const study::PlaneGrid& grid, const QRectF& plot) {
  return {{grid.reMin, grid.reMax, grid.imMin, grid.imMax}, figures::fromQt(plot)};
}

// A transparent image of the grid's size with the methods' regions drawn into it, in order.
QImage regionImage(const std::vector<std::size_t>& methods, const study::PlaneGrid& grid) {
  QImage image(grid.width, grid.height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  const std::span<std::uint32_t> pixels(reinterpret_cast<std::uint32_t*>(image.bits()),
                                        static_cast<std::size_t>(grid.width) * grid.height);
  for (const std::size_t m : methods)
    figure::paintRegion(pixels, grid.width, grid.height, study::regionMask(m, grid),
                        figure::methodStyles()[m].colour);
  return image;
}

}  // namespace

RegionPicture::RegionPicture() : lambda_(std::numeric_limits<double>::quiet_NaN()), h_(lambda_) {
  for (std::size_t m = 0; m < kMethods.size(); ++m) limits_.push_back(study::stabilityLimit(m));
}

void RegionPicture::setMethods(const std::vector<std::size_t>& methods) {
  methods_ = methods;
  regions_ = QImage();
  relayout();
}

void RegionPicture::setStepPoint(double lambda, double h) {
  lambda_ = lambda;
  h_ = h;
  relayout();
}

void RegionPicture::setSize(QSize size) {
  size_ = size;
  relayout();
}

QString RegionPicture::title() const {
  return tr("Stability regions |R(z)| <= 1 in the complex plane, z = h·λ");
}

QString RegionPicture::pointText() const {
  figure::RegionFacts facts;
  for (const std::size_t m : methods_) facts.methods.emplace_back(kMethods[m].id);
  const double z = lambda_ * h_;
  facts.marked = std::isfinite(z);
  if (facts.marked) {
    facts.z = study::shortestText(z);
    facts.h = study::shortestText(h_);
    facts.lambda = study::shortestText(lambda_);
    facts.rightHalf = z > 0.0;
    for (const std::size_t m : methods_)
      (study::stableAt(m, {z, 0.0}) ? facts.stable : facts.unstable).emplace_back(kMethods[m].id);
  }
  return QString::fromStdString(figure::regionDescription(facts));
}

QPointF RegionPicture::toPixel(study::Complex z) const {
  return figures::toQt(transformOf(grid_, plot_).toPixel(z.real(), z.imag()));
}

// The plane: the default rectangle, stretched to reach the point, then widened along one axis
// so that both have the same scale in the plot's pixels.
void RegionPicture::relayout() {
  plot_ = QRectF(QPointF(0, 0), QSizeF(size_)).adjusted(kLeft, kTop, -kRight, -kBottom);
  if (plot_.width() < 2 || plot_.height() < 2) return;
  double reMin = kReMin;
  double reMax = kReMax;
  const double z = lambda_ * h_;
  if (std::isfinite(z)) {
    reMin = std::max(std::min(reMin, z - 0.1 * std::abs(z) - 0.2), -kFarthest);
    reMax = std::min(std::max(reMax, z + 0.1 * std::abs(z) + 0.2), kFarthest);
  }
  const figure::ViewBox box =
      figure::equalScale({reMin, reMax, -kImMax, kImMax}, figures::fromQt(plot_));
  const study::PlaneGrid grid{box.xMin,
                              box.xMax,
                              box.yMin,
                              box.yMax,
                              static_cast<int>(plot_.width()),
                              static_cast<int>(plot_.height())};
  const bool same = grid.reMin == grid_.reMin && grid.reMax == grid_.reMax &&
                    grid.imMax == grid_.imMax && grid.width == grid_.width &&
                    grid.height == grid_.height;
  if (same) return;
  grid_ = grid;
  regions_ = QImage();
}

void RegionPicture::paint(QPainter& painter) {
  painter.fillRect(QRectF(QPointF(0, 0), QSizeF(size_)), Qt::white);
  if (grid_.width != static_cast<int>(plot_.width()) ||
      grid_.height != static_cast<int>(plot_.height()) || grid_.width < 2)
    return;
  if (regions_.isNull()) regions_ = regionImage(methods_, grid_);
  painter.setRenderHint(QPainter::Antialiasing);
  const figure::Transform t = transformOf(grid_, plot_);
  const figure::Ticks xs =
      figure::linearTicks(grid_.reMin, grid_.reMax, 12.0, figure::TickRounding::AtLeast);
  painter.save();
  painter.setClipRect(plot_);
  figures::drawGrid(painter, t, xs, figure::ticksLike(xs, grid_.imMin, grid_.imMax));
  painter.drawImage(plot_.topLeft(), regions_);
  painter.setPen(QPen(figures::kFrameColour, 1.0));
  const QPointF origin = toPixel({0.0, 0.0});
  painter.drawLine(QPointF(plot_.left(), origin.y()), QPointF(plot_.right(), origin.y()));
  painter.drawLine(QPointF(origin.x(), plot_.top()), QPointF(origin.x(), plot_.bottom()));
  // Methods with the same limit (the Euler forms; RK4 and Gill) stack their markers upwards.
  for (std::size_t i = 0; i < methods_.size(); ++i) {
    const double limit = limits_[methods_[i]];
    const auto same =
        std::count_if(methods_.begin(), methods_.begin() + static_cast<long>(i),
                      [&](std::size_t m) { return std::abs(limits_[m] - limit) < 1e-6; });
    figures::drawMethodMarker(
        painter, methods_[i],
        toPixel({-limit, 0.0}) - QPointF(0, kStacked * static_cast<double>(same)));
  }
  painter.restore();
  drawPoint(painter);
  drawAxes(painter);
  drawLegend(painter);
}

void RegionPicture::drawAxes(QPainter& painter) const {
  const figure::Transform t = transformOf(grid_, plot_);
  const figure::Ticks xs =
      figure::linearTicks(grid_.reMin, grid_.reMax, 12.0, figure::TickRounding::AtLeast);
  figures::drawAxes(painter, t, xs, figure::ticksLike(xs, grid_.imMin, grid_.imMax), 4.0, true);
  const QFontMetricsF metrics(painter.font());
  painter.setPen(figures::kFrameColour);
  const QString re = tr("Re z");
  painter.drawText(QPointF(plot_.center().x() - metrics.horizontalAdvance(re) / 2.0,
                           plot_.bottom() + 8 + metrics.height() + metrics.ascent()),
                   re);
  painter.drawText(QPointF(plot_.left() + 4, plot_.top() - 6), tr("Im z"));
  figures::drawTitle(painter, QRectF(0, 4, size_.width(), kTop - 8), title());
}

void RegionPicture::drawLegend(QPainter& painter) const {
  const QFontMetricsF metrics(painter.font());
  const double line = std::max(18.0, metrics.height() + 6.0);
  const auto items = figure::columnLegend({plot_.right() + 15.0, plot_.top() + 4.0}, line, 26.0,
                                          14.0, 8.0, methods_.size() + 1);
  for (std::size_t i = 0; i < methods_.size(); ++i) {
    const std::size_t m = methods_[i];
    const QColor colour = figures::toQt(figure::methodStyles()[m].colour);
    QColor fill = colour;
    fill.setAlpha(figure::kRegionFillAlpha);
    const QRectF swatch = figures::toQt(items[i].swatch);
    painter.setPen(QPen(colour, 2.0));
    painter.setBrush(fill);
    painter.drawRect(swatch);
    figures::drawMethodMarker(painter, m, swatch.center());
    painter.setPen(Qt::black);
    figures::drawLegendText(painter, items[i],
                            tr("%1 (limit %2)").arg(idOf(m), QString::number(limits_[m], 'g', 5)));
  }
  const double z = lambda_ * h_;
  if (!std::isfinite(z)) return;
  const QPointF at = figures::toQt(items.back().swatch.centre()) + QPointF(0.0, line / 2.0);
  const QPointF ring(plot_.right() + 15.0 + 13.0, at.y());
  painter.setPen(QPen(Qt::black, 2.0));
  painter.setBrush(Qt::white);
  painter.drawEllipse(ring, 5.0, 5.0);
  painter.setPen(Qt::black);
  const double baseline = at.y() + metrics.ascent() / 2.0 - 1.0;
  const double textLeft = items.back().textLeft;
  painter.drawText(QPointF(textLeft, baseline), tr("h·λ = %1").arg(numberText(z)));
  painter.drawText(QPointF(textLeft, baseline + metrics.height()),
                   tr("(h = %1, λ = %2)").arg(numberText(h_), numberText(lambda_)));
}

// The point as a ring with a cross; one beyond the plane's edge as an arrow head on that edge.
void RegionPicture::drawPoint(QPainter& painter) const {
  const double z = lambda_ * h_;
  if (!std::isfinite(z)) return;
  QPointF at = toPixel({z, 0.0});
  painter.save();
  painter.setPen(QPen(Qt::black, 2.0));
  if (at.x() < plot_.left() || at.x() > plot_.right()) {
    const bool left = at.x() < plot_.left();
    const double edge = left ? plot_.left() + 2 : plot_.right() - 2;
    const double back = left ? 12.0 : -12.0;
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygonF({QPointF(edge, at.y()), QPointF(edge + back, at.y() - 6),
                                   QPointF(edge + back, at.y() + 6)}));
  } else {
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, 6.0, 6.0);
    painter.drawLine(at - QPointF(10, 0), at + QPointF(10, 0));
    painter.drawLine(at - QPointF(0, 10), at + QPointF(0, 10));
  }
  painter.restore();
}

}  // namespace kemi::lab
