// The region picture. The plane keeps one scale on both axes, so that a circle looks round,
// and reaches far enough left to show the marked point (up to kFarthest).
#include "stability_region_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "method_style.h"
#include "method_table.h"
#include "stability.h"
#include "stability_region_image.h"
#include "text_table.h"

namespace kemi::lab {
namespace {

// The plane shown without a point: every method's region fits with a margin.
constexpr double kReMin = -4.2;
constexpr double kReMax = 1.0;
constexpr double kImMax = 3.9;
constexpr double kFarthest = 60.0;  // no point moves the plane's edge further out
constexpr int kLeft = 48, kTop = 34, kRight = 210, kBottom = 44;
constexpr double kMarkerSize = 9.0;

QString idOf(std::size_t method) {
  return QString::fromLatin1(kMethods[method].id.data(),
                             static_cast<qsizetype>(kMethods[method].id.size()));
}

QString numberText(double value) {
  return QString::fromStdString(study::shortestText(value));
}

// "A, B and C"
QString listed(const QStringList& ids) {
  if (ids.size() < 2) return ids.join(QString());
  return ids.mid(0, ids.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
         ids.back();
}

// A tick spacing that gives at most a dozen ticks over `span`.
double tickStep(double span) {
  for (const double step : {0.5, 1.0, 2.0, 5.0, 10.0, 20.0})
    if (span / step <= 12.0) return step;
  return 50.0;
}

}  // namespace

StabilityRegionView::StabilityRegionView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Stability regions"));
  setAccessibleName(QStringLiteral("Stability regions"));
  setMinimumSize(420, 300);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);  // so that a screen reader reaches its description
  for (std::size_t m = 0; m < kMethods.size(); ++m) limits_[m] = study::stabilityLimit(m);
  lambda_ = h_ = NAN;
  describe();
}

void StabilityRegionView::setMethods(const std::vector<std::size_t>& methods) {
  methods_ = methods;
  regions_ = QImage();
  relayout();
  describe();
}

void StabilityRegionView::setStepPoint(double lambda, double h) {
  lambda_ = lambda;
  h_ = h;
  relayout();
  describe();
}

QString StabilityRegionView::title() const {
  return QStringLiteral("Stability regions |R(z)| <= 1 in the complex plane, z = h·λ");
}

QString StabilityRegionView::pointText() const {
  QStringList shown;
  for (const std::size_t m : methods_) shown << idOf(m);
  QString text = methods_.empty() ? QStringLiteral("No method is chosen.")
                                  : QStringLiteral("Stability regions of %1.").arg(listed(shown));
  const double z = lambda_ * h_;
  if (!std::isfinite(z)) return text + QStringLiteral(" No step is marked.");
  text += QStringLiteral(" The step's z = h·λ = %1 (h = %2, λ = %3)")
              .arg(numberText(z), numberText(h_), numberText(lambda_));
  if (z > 0.0)
    return text + QStringLiteral(
                      " lies right of the imaginary axis: the exact solution grows "
                      "there too, and stability does not limit the step.");
  QStringList stable;
  QStringList unstable;
  for (const std::size_t m : methods_)
    (study::stableAt(m, {z, 0.0}) ? stable : unstable) << idOf(m);
  text += QStringLiteral(":");
  if (!stable.isEmpty()) text += QStringLiteral(" stable with %1").arg(listed(stable));
  if (!stable.isEmpty() && !unstable.isEmpty()) text += QLatin1Char(';');
  if (!unstable.isEmpty()) text += QStringLiteral(" unstable with %1").arg(listed(unstable));
  return text + QLatin1Char('.');
}

QPointF StabilityRegionView::toPixel(study::Complex z) const {
  const double x = (z.real() - grid_.reMin) / (grid_.reMax - grid_.reMin) * plot_.width();
  const double y = (grid_.imMax - z.imag()) / (grid_.imMax - grid_.imMin) * plot_.height();
  return {plot_.left() + x, plot_.top() + y};
}

void StabilityRegionView::describe() {
  const QString text = pointText();
  setAccessibleDescription(text);
  setToolTip(text);
  emit pointTextChanged(text);
  update();
}

// The plane: the default rectangle, stretched to reach the point, then widened along one axis
// so that both have the same scale in the plot's pixels.
void StabilityRegionView::relayout() {
  plot_ = rect().adjusted(kLeft, kTop, -kRight, -kBottom);
  if (plot_.width() < 2 || plot_.height() < 2) return;
  double reMin = kReMin;
  double reMax = kReMax;
  const double z = lambda_ * h_;
  if (std::isfinite(z)) {
    reMin = std::max(std::min(reMin, z - 0.1 * std::abs(z) - 0.2), -kFarthest);
    reMax = std::min(std::max(reMax, z + 0.1 * std::abs(z) + 0.2), kFarthest);
  }
  const double scale = std::min(plot_.width() / (reMax - reMin), plot_.height() / (2.0 * kImMax));
  const double centre = (reMin + reMax) / 2.0;
  const double halfWidth = plot_.width() / scale / 2.0;
  const double halfHeight = plot_.height() / scale / 2.0;
  const study::PlaneGrid grid{centre - halfWidth, centre + halfWidth, -halfHeight,
                              halfHeight,         plot_.width(),      plot_.height()};
  const bool same = grid.reMin == grid_.reMin && grid.reMax == grid_.reMax &&
                    grid.imMax == grid_.imMax && grid.width == grid_.width &&
                    grid.height == grid_.height;
  if (same) return;
  grid_ = grid;
  regions_ = QImage();
}

void StabilityRegionView::resizeEvent(QResizeEvent* /*event*/) {
  relayout();
}

void StabilityRegionView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (grid_.width != plot_.width() || grid_.height != plot_.height()) return;
  // The regions are evaluated here, once per change, rather than at each setter: a tab that
  // sets its methods and point in a row, or is never shown, pays nothing.
  if (regions_.isNull()) regions_ = regionImage(methods_, grid_);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.save();
  painter.setClipRect(plot_);
  const double step = tickStep(grid_.reMax - grid_.reMin);
  painter.setPen(QPen(QColor(0xE4, 0xE4, 0xE4), 1.0));
  for (double re = std::ceil(grid_.reMin / step) * step; re <= grid_.reMax; re += step)
    painter.drawLine(QPointF(toPixel({re, 0}).x(), plot_.top()),
                     QPointF(toPixel({re, 0}).x(), plot_.bottom() + 1));
  for (double im = std::ceil(grid_.imMin / step) * step; im <= grid_.imMax; im += step)
    painter.drawLine(QPointF(plot_.left(), toPixel({0, im}).y()),
                     QPointF(plot_.right() + 1, toPixel({0, im}).y()));
  painter.drawImage(plot_.topLeft(), regions_);
  painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.0));
  const QPointF origin = toPixel({0.0, 0.0});
  painter.drawLine(QPointF(plot_.left(), origin.y()), QPointF(plot_.right() + 1, origin.y()));
  painter.drawLine(QPointF(origin.x(), plot_.top()), QPointF(origin.x(), plot_.bottom() + 1));
  // Methods with the same limit (the Euler forms; RK4 and Gill) stack their markers upwards.
  for (std::size_t i = 0; i < methods_.size(); ++i) {
    const double limit = limits_[methods_[i]];
    const auto same =
        std::count_if(methods_.begin(), methods_.begin() + static_cast<long>(i),
                      [&](std::size_t m) { return std::abs(limits_[m] - limit) < 1e-6; });
    drawMethodMarker(painter, methods_[i],
                     toPixel({-limit, 0.0}) - QPointF(0, 11.0 * static_cast<double>(same)),
                     kMarkerSize);
  }
  painter.restore();
  drawPoint(painter);
  drawAxes(painter);
  drawLegend(painter);
}

void StabilityRegionView::drawAxes(QPainter& painter) const {
  painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(plot_).adjusted(-0.5, -0.5, 0.5, 0.5));
  const QFontMetrics metrics = painter.fontMetrics();
  const double step = tickStep(grid_.reMax - grid_.reMin);
  // Tick values are whole multiples of the step, so each text is the tick's exact value.
  for (auto i = static_cast<long>(std::ceil(grid_.reMin / step));
       static_cast<double>(i) * step <= grid_.reMax; ++i) {
    const double x = toPixel({static_cast<double>(i) * step, 0}).x();
    const QString text = QString::number(static_cast<double>(i) * step);
    painter.drawLine(QPointF(x, plot_.bottom() + 1), QPointF(x, plot_.bottom() + 5));
    painter.drawText(
        QPointF(x - metrics.horizontalAdvance(text) / 2.0, plot_.bottom() + 6 + metrics.ascent()),
        text);
  }
  for (auto i = static_cast<long>(std::ceil(grid_.imMin / step));
       static_cast<double>(i) * step <= grid_.imMax; ++i) {
    const double y = toPixel({0, static_cast<double>(i) * step}).y();
    const QString text = QString::number(static_cast<double>(i) * step);
    painter.drawLine(QPointF(plot_.left() - 5, y), QPointF(plot_.left(), y));
    painter.drawText(
        QPointF(plot_.left() - 8 - metrics.horizontalAdvance(text), y + metrics.ascent() / 2.0 - 1),
        text);
  }
  const QString re = QStringLiteral("Re z");
  painter.drawText(QPointF(plot_.center().x() - metrics.horizontalAdvance(re) / 2.0,
                           plot_.bottom() + 8 + metrics.height() + metrics.ascent()),
                   re);
  painter.drawText(QPointF(plot_.left() + 4, plot_.top() - 6), QStringLiteral("Im z"));
  QFont bold = painter.font();
  bold.setBold(true);
  painter.setFont(bold);
  const QString heading = title();
  painter.drawText(QPointF((width() - painter.fontMetrics().horizontalAdvance(heading)) / 2.0,
                           6 + painter.fontMetrics().ascent()),
                   heading);
  painter.setFont(font());
}

void StabilityRegionView::drawLegend(QPainter& painter) const {
  const QFontMetrics metrics = painter.fontMetrics();
  const double left = plot_.right() + 16;
  double y = plot_.top() + 4;
  const double line = std::max(18, metrics.height() + 6);
  for (const std::size_t m : methods_) {
    const QColor& colour = methodStyles()[m].colour;
    QColor fill = colour;
    fill.setAlpha(kRegionFillAlpha);
    const QRectF swatch(left, y, 26, 14);
    painter.setPen(QPen(colour, 2.0));
    painter.setBrush(fill);
    painter.drawRect(swatch);
    drawMethodMarker(painter, m, swatch.center(), kMarkerSize);
    painter.setPen(Qt::black);
    painter.drawText(
        QPointF(left + 34, swatch.center().y() + metrics.ascent() / 2.0 - 1),
        QStringLiteral("%1 (limit %2)").arg(idOf(m), QString::number(limits_[m], 'g', 5)));
    y += line;
  }
  const double z = lambda_ * h_;
  if (!std::isfinite(z)) return;
  y += line / 2.0;
  const QPointF at(left + 13, y + 7);
  painter.setPen(QPen(Qt::black, 2.0));
  painter.setBrush(Qt::white);
  painter.drawEllipse(at, 5.0, 5.0);
  painter.setPen(Qt::black);
  painter.drawText(QPointF(left + 34, at.y() + metrics.ascent() / 2.0 - 1),
                   QStringLiteral("h·λ = %1").arg(numberText(z)));
  painter.drawText(QPointF(left + 34, at.y() + metrics.ascent() / 2.0 - 1 + metrics.height()),
                   QStringLiteral("(h = %1, λ = %2)").arg(numberText(h_), numberText(lambda_)));
}

// The point as a ring with a cross; one beyond the plane's edge as an arrow head on that edge.
void StabilityRegionView::drawPoint(QPainter& painter) const {
  const double z = lambda_ * h_;
  if (!std::isfinite(z)) return;
  QPointF at = toPixel({z, 0.0});
  painter.save();
  painter.setPen(QPen(Qt::black, 2.0));
  if (at.x() < plot_.left() || at.x() > plot_.right() + 1) {
    const bool left = at.x() < plot_.left();
    const double edge = left ? plot_.left() + 2 : plot_.right() - 1;
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
