// The stage picture. Slopes are drawn as segments of one length on the screen whatever their
// steepness, so a stiff equation's steep stages stay inside the picture.
#include "lab/stage_picture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <variant>

#include "core/method_table.h"
#include "figures/figure_painter.h"
#include "plot/figure/description.h"
#include "plot/figure/legend.h"
#include "plot/figure/ticks.h"
#include "plot/figure/view.h"
#include "study/solution.h"

namespace kemi::lab {
namespace {

constexpr int kSamples = 64;
constexpr double kSlopeHalfLength = 24.0;  // pixels either side of a stage point
constexpr int kLeft = 72, kTop = 30, kRight = 16, kBottom = 70;

QString number(double value) {
  return QString::number(value, 'g', 6);
}

QString pointText(QPointF p) {
  return QStringLiteral("(%1, %2)").arg(number(p.x()), number(p.y()));
}

// The solution through (x0, y0) at kSamples + 1 points from x0 to x1: the preset's exact one,
// else a reference computed from that start. Second: whether it is a reference.
std::pair<QPolygonF, bool> solutionThrough(const study::AnyEquation& equation, double x0, double y0,
                                           double x1) {
  std::vector<double> xs;
  for (int i = 0; i <= kSamples; ++i) xs.push_back(x0 + (x1 - x0) * i / kSamples);
  QPolygonF curve;
  const bool typed = std::holds_alternative<study::TypedEquation>(equation);
  if (const auto exact =
          typed ? std::function<double(double)>{} : study::exactFunction(equation, x0, y0)) {
    for (const double x : xs) curve << QPointF(x, exact(x));
    return {curve, false};
  }
  try {
    const study::Reference r = study::referenceSolution(study::Problem{equation, x0, y0, x1}, xs);
    for (std::size_t i = 0; i < r.ys.size(); ++i) curve << QPointF(xs[i], r.ys[i]);
  } catch (const std::exception&) {
    curve.clear();  // no comparison where the solution cannot be followed over the step
  }
  return {curve, true};
}

}  // namespace

StagePicture::StagePicture(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Stage picture"));
  setAccessibleName(tr("Inside the selected step"));
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(360, 260);
  describe();
}

void StagePicture::setStep(const study::AnyEquation& equation, const study::StepTable& table,
                           std::size_t row, std::size_t method) {
  step_ = 0;
  if (row >= 1 && row < table.rows.size()) {
    const study::StepRow& before = table.rows[row - 1];
    const study::StepRow& after = table.rows[row];
    step_ = after.i;
    method_ = method;
    start_ = QPointF(before.x, before.y);
    end_ = QPointF(after.x, after.y);
    h_ = after.x - before.x;
    stages_ = after.stages;
    estimate_ = table.hasEstimate ? after.estimate : std::nan("");
    std::tie(solution_, reference_) = solutionThrough(equation, before.x, before.y, after.x);
    xMin_ = std::min(before.x, after.x) - 0.08 * std::abs(h_);
    xMax_ = std::max(before.x, after.x) + 0.08 * std::abs(h_);
    QPolygonF all{start_, end_};
    if (std::isfinite(estimate_)) all << QPointF(after.x, after.y - estimate_);
    for (int e = 0; e < stages_.evaluations && e < StageRecord::kMost; ++e)
      all << QPointF(stages_.x[e], stages_.y[e]);
    for (const QPointF& p : solution_)
      if (std::isfinite(p.y())) all << p;
    const auto [low, high] = std::minmax_element(
        all.begin(), all.end(), [](QPointF a, QPointF b) { return a.y() < b.y(); });
    const double pad = std::max((high->y() - low->y()) * 0.15, 1e-9 * (1.0 + std::abs(low->y())));
    yMin_ = low->y() - pad;
    yMax_ = high->y() + pad;
  }
  describe();
}

QString StagePicture::title() const {
  if (step_ == 0) return tr("Inside a step: select a step in the table");
  QString text = tr("Inside step %1 of %2, h = %3")
                     .arg(step_)
                     .arg(QString::fromLatin1(kMethods[method_].id.data(),
                                              static_cast<qsizetype>(kMethods[method_].id.size())),
                          number(h_));
  if (!std::isfinite(estimate_)) return text;
  return text + tr(", estimate %1").arg(number(estimate_));
}

QPointF StagePicture::toPixel(double x, double y) const {
  return figures::toQt(transform().toPixel(x, y));
}

figure::Transform StagePicture::transform() const {
  const QRectF plot = QRectF(rect()).adjusted(kLeft, kTop, -kRight, -kBottom);
  return {{xMin_, xMax_, yMin_, yMax_}, figures::fromQt(plot)};
}

void StagePicture::describe() {
  figure::StageFacts facts;
  facts.title = title().toStdString();
  facts.shown = step_ != 0;
  if (facts.shown) {
    facts.start = pointText(start_).toStdString();
    facts.end = pointText(end_).toStdString();
    for (int e = 0; e < stages_.evaluations && e < StageRecord::kMost; ++e)
      facts.stages.push_back({number(stages_.slope[e]).toStdString(),
                              pointText(QPointF(stages_.x[e], stages_.y[e])).toStdString(),
                              number(stages_.k[e]).toStdString()});
    if (std::isfinite(estimate_)) {
      facts.estimate = number(estimate_).toStdString();
      facts.lowerEnd = number(end_.y() - estimate_).toStdString();
    }
    if (!solution_.isEmpty()) {
      facts.solutionKind = reference_ ? "reference" : "exact";
      facts.solutionY = number(solution_.back().y()).toStdString();
      facts.solutionX = number(solution_.back().x()).toStdString();
    }
  }
  const QString text = QString::fromStdString(figure::stageDescription(facts));
  setAccessibleDescription(text);
  setToolTip(text);
  update();
}

void StagePicture::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF plot = QRectF(rect()).adjusted(kLeft, kTop, -kRight, -kBottom);
  drawAxes(painter, plot);
  if (step_ == 0 || plot.width() < 2 || plot.height() < 2) return;
  painter.save();
  painter.setClipRect(plot);
  const QColor colour = figures::toQt(figure::methodStyles()[method_].colour);
  QPolygonF curve;
  for (const QPointF& p : solution_) curve << toPixel(p.x(), p.y());
  painter.setPen(QPen(QColor(0x90, 0x90, 0x90), 2.0, reference_ ? Qt::DashLine : Qt::SolidLine));
  painter.drawPolyline(curve);
  const QPointF start = toPixel(start_.x(), start_.y());
  const QRectF plane(QPointF(xMin_, yMin_), QPointF(xMax_, yMax_));
  for (int e = 0; e < stages_.evaluations && e < StageRecord::kMost; ++e) {
    const QPointF at = toPixel(stages_.x[e], stages_.y[e]);
    painter.setPen(QPen(colour, 1.0, Qt::DashLine));
    if (e > 0) painter.drawLine(start, at);
    // The slope's direction on the screen: one unit of x, slope units of y, in pixels.
    const double dx = plot.width() / plane.width();
    const double dy = -stages_.slope[e] * plot.height() / plane.height();
    const double length = std::hypot(dx, dy);
    const QPointF half = std::isfinite(length) && length > 0.0
                             ? QPointF(dx, dy) * (kSlopeHalfLength / length)
                             : QPointF(0.0, kSlopeHalfLength);
    painter.setPen(QPen(colour, 2.5));
    painter.drawLine(at - half, at + half);
    painter.setPen(QPen(Qt::black, 1.0));
    painter.setBrush(colour);
    painter.drawEllipse(at, 4.0, 4.0);
    painter.drawText(at + QPointF(6.0, -6.0 - 12.0 * (e % 2)), QStringLiteral("k%1").arg(e + 1));
  }
  // The step: a thin black arrow from the start to the new point, apart from the thick slopes
  // even where a slope lies along it (Euler's k1) or is drawn in black (Euler's colour).
  const QPointF end = toPixel(end_.x(), end_.y());
  painter.setPen(QPen(Qt::black, 1.5));
  painter.drawLine(start, end);
  const double length = std::hypot(end.x() - start.x(), end.y() - start.y());
  if (length > 1.0) {
    const QPointF along = (end - start) / length;
    const QPointF across(-along.y(), along.x());
    const QPointF base = end - along * 16.0;
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygonF({end, base + across * 5.0, base - across * 5.0}));
  }
  figures::drawMethodMarker(painter, method_, end);
  if (std::isfinite(estimate_)) {
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(toPixel(end_.x(), end_.y() - estimate_), 6.0, 6.0);
  }
  painter.restore();
  drawLegend(painter);
}

void StagePicture::drawAxes(QPainter& painter, const QRectF& plot) const {
  figures::drawTitle(painter, QRectF(0, 4, width(), kTop - 8), title());
  if (step_ == 0) {
    painter.setPen(QPen(figures::kFrameColour, 1.0));
    painter.drawRect(plot);
    return;
  }
  const figure::Ticks xs = figure::linearTicks(xMin_, xMax_, 5.0, figure::TickRounding::AtLeast);
  const figure::Ticks ys = figure::linearTicks(yMin_, yMax_, 5.0, figure::TickRounding::AtLeast);
  figures::drawAxes(painter, transform(), xs, ys, 4.0, true);
}

void StagePicture::drawLegend(QPainter& painter) const {
  const QFontMetricsF metrics(painter.font());
  const QColor colour = figures::toQt(figure::methodStyles()[method_].colour);
  const std::array<QString, 3> texts{
      reference_ ? tr("reference through the start") : tr("exact through the start"),
      tr("stage slopes"), tr("the step")};
  const std::array<QPen, 3> pens{
      QPen(QColor(0x90, 0x90, 0x90), 2.0, reference_ ? Qt::DashLine : Qt::SolidLine),
      QPen(colour, 2.5), QPen(Qt::black, 1.5)};
  std::array<double, 3> widths{};
  for (std::size_t i = 0; i < texts.size(); ++i) widths[i] = metrics.horizontalAdvance(texts[i]);
  const auto items = figure::rowLegend(kLeft, height() - kBottom + 30 + metrics.ascent() / 2.0,
                                       24.0, 6.0, 14.0, widths);
  for (std::size_t i = 0; i < items.size(); ++i) {
    painter.setPen(pens[i]);
    painter.drawLine(QPointF(items[i].swatch.left, items[i].centreY),
                     QPointF(items[i].swatch.right(), items[i].centreY));
    painter.setPen(Qt::black);
    figures::drawLegendText(painter, items[i], texts[i]);
  }
}

}  // namespace kemi::lab
