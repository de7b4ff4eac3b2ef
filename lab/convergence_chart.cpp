// The convergence chart, rebuilt from the model's rows after they change: a sweep has at most
// a few hundred rows, so refilling every series costs less than one repaint.
#include "lab/convergence_chart.h"

#include <QChart>
#include <QCursor>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QTimer>
#include <QToolTip>
#include <cmath>

#include "core/method_table.h"
#include "lab/method_style.h"

namespace kemi::lab {
namespace {

constexpr std::array<int, 4> kReferenceOrders{1, 2, 4, 5};
constexpr std::array<double, 4> kLabelAt{0.5, 0.5, 0.3, 0.75};  // share of the line's length

QString idOf(std::size_t method) {
  const auto id = kMethods[method].id;
  return QString::fromUtf8(id.data(), static_cast<qsizetype>(id.size()));
}

QString text(double value) {
  return QString::fromStdString(study::shortestText(value));
}

void hideFromLegend(QChart* chart, QLineSeries* series) {
  for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(false);
}

}  // namespace

ConvergenceChart::ConvergenceChart(const ConvergenceModel* model, QObject* parent)
    : QObject(parent),
      model_(model),
      chart_(new QChart),
      xAxis_(new QLogValueAxis),
      yAxis_(new QLogValueAxis) {
  chart_->legend()->setAlignment(Qt::AlignRight);
  chart_->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
  for (QLogValueAxis* axis : {xAxis_, yAxis_}) {
    axis->setBase(10.0);
    axis->setLabelFormat(QStringLiteral("%.0e"));
    axis->setMinorTickCount(0);
    QFont font = axis->labelsFont();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    axis->setLabelsFont(font);
  }
  yAxis_->setTitleText(tr("|error| at x1"));
  chart_->addAxis(xAxis_, Qt::AlignBottom);
  chart_->addAxis(yAxis_, Qt::AlignLeft);

  for (std::size_t i = 0; i < kReferenceOrders.size(); ++i) {
    auto* line = new QLineSeries;
    line->setName(tr("order %1").arg(kReferenceOrders[i]));
    QPen pen(QColor(0x80, 0x80, 0x80));
    pen.setStyle(Qt::DashLine);
    pen.setWidthF(1.0);
    line->setPen(pen);
    line->setPointLabelsFormat(line->name());
    line->setPointLabelsColor(QColor(0x50, 0x50, 0x50));
    line->setPointLabelsClipping(false);
    chart_->addSeries(line);
    line->attachAxis(xAxis_);
    line->attachAxis(yAxis_);
    hideFromLegend(chart_, line);
    references_[i] = line;
  }
  for (std::size_t m = 0; m < kMethods.size(); ++m) {
    auto* line = new QLineSeries;
    line->setPen(linePen(m));
    auto* markers = new QScatterSeries;
    styleMarkers(markers, m);
    markers->setName(idOf(m));
    for (QXYSeries* series : {static_cast<QXYSeries*>(line), static_cast<QXYSeries*>(markers)}) {
      chart_->addSeries(series);
      series->attachAxis(xAxis_);
      series->attachAxis(yAxis_);
    }
    hideFromLegend(chart_, line);
    connect(markers, &QXYSeries::hovered, this, [this, m](const QPointF& point, bool state) {
      if (state)
        QToolTip::showText(QCursor::pos(), pointText(m, point.x()));
      else
        QToolTip::hideText();
    });
    lines_[m] = line;
    markers_[m] = markers;
  }
  refillTimer_ = new QTimer(this);
  refillTimer_->setSingleShot(true);
  refillTimer_->setInterval(kRefillMs);
  connect(refillTimer_, &QTimer::timeout, this, &ConvergenceChart::refill);
  connect(model_, &QAbstractItemModel::rowsInserted, this, [this] {
    if (!refillTimer_->isActive()) refillTimer_->start();
  });
  connect(model_, &QAbstractItemModel::modelReset, this, &ConvergenceChart::refillNow);
  setWorkPrecision(false);
}

void ConvergenceChart::refillNow() {
  refillTimer_->stop();
  refill();
}

void ConvergenceChart::setWorkPrecision(bool on) {
  workPrecision_ = on;
  xAxis_->setTitleText(on ? tr("f evaluations") : tr("h = x1 / N"));
  chart_->setTitle(on ? tr("Work against precision: |error| against f evaluations")
                      : tr("Convergence: |error| against the step h"));
  refillNow();
}

double ConvergenceChart::xOf(const study::ConvergenceRow& row) const {
  return workPrecision_ ? static_cast<double>(row.evaluations) : std::fabs(row.h);
}

int ConvergenceChart::pointCount(std::size_t method) const {
  return static_cast<int>(markers_[method]->count());
}

// Rows whose error is exactly 0 have no place on a logarithmic axis; the legend says how many
// there are instead of dropping them unnoticed (the table keeps them).
void ConvergenceChart::refill() {
  std::array<QList<QPointF>, kMethodCount> points;
  zeroRows_ = {};
  for (const study::ConvergenceRow& row : model_->rows()) {
    const double e = std::fabs(row.error);
    if (e == 0.0)
      ++zeroRows_[row.method];
    else if (std::isfinite(e))
      points[row.method].append(QPointF(xOf(row), e));
  }
  updateAxes(points);
  for (std::size_t m = 0; m < kMethods.size(); ++m) {
    lines_[m]->replace(points[m]);
    markers_[m]->replace(points[m]);
    QString name = idOf(m);
    if (zeroRows_[m] > 0)
      name += tr(" (%1 with error 0, not drawn)")
                  .arg(zeroRows_[m] == 1 ? tr("1 row") : tr("%1 rows").arg(zeroRows_[m]));
    if (markers_[m]->name() != name) markers_[m]->setName(name);
  }
  emit refilled();
}

// Whole decades around the points; the reference lines start at the corner where the steps are
// coarsest and stop where they leave the plot, so nothing is drawn outside the axes.
void ConvergenceChart::updateAxes(const std::array<QList<QPointF>, kMethodCount>& points) {
  double x0 = 1e-8, x1 = 1.0, y0 = 1e-16, y1 = 1.0;
  bool any = false;
  for (const QList<QPointF>& series : points) {
    for (const QPointF& p : series) {
      if (!any) x0 = x1 = p.x(), y0 = y1 = p.y();
      any = true;
      x0 = std::min(x0, p.x()), x1 = std::max(x1, p.x());
      y0 = std::min(y0, p.y()), y1 = std::max(y1, p.y());
    }
  }
  const auto down = [](double v) { return std::pow(10.0, std::floor(std::log10(v))); };
  const auto up = [](double v) { return std::pow(10.0, std::ceil(std::log10(v) + 1e-9)); };
  x0 = down(x0), x1 = up(x1), y0 = down(y0), y1 = up(y1);
  if (y1 <= y0) y1 = y0 * 10.0;
  if (x1 <= x0) x1 = x0 * 10.0;
  // Qt Charts' logarithmic domain ignores a change of an end smaller than about 1e-12 in
  // absolute terms (1e-12 to 1e-16, say), and the series would then be drawn on a stale scale
  // under the axis's new labels. Moving the maximum away and back makes it take both ends.
  // Each range change lays the whole chart out again, so it is done only when needed.
  for (QLogValueAxis* axis : {xAxis_, yAxis_}) {
    const double low = axis == xAxis_ ? x0 : y0;
    const double high = axis == xAxis_ ? x1 : y1;
    // One label per power of the base: past about ten decades the labels no longer fit beside
    // each other and Qt shows each as "...", so the labels step by two or more decades then.
    const double decades = std::round(std::log10(high / low));
    const double step = std::max(1.0, std::ceil(decades / (axis == xAxis_ ? 5.0 : 10.0)));
    axis->setBase(std::pow(10.0, step));
    if (axis->min() == low && axis->max() == high) continue;
    const bool tiny = std::fabs(axis->min() - low) < 1e-11 || std::fabs(axis->max() - high) < 1e-11;
    if (tiny) axis->setRange(low, high * 10.0);
    axis->setRange(low, high);
  }

  for (std::size_t i = 0; i < kReferenceOrders.size(); ++i) {
    const double p = kReferenceOrders[i];
    const double reach = std::pow(y0 / y1, 1.0 / p);  // x factor that spans the y range
    // Three points, the label on the middle one, inside the plot whichever view is shown; the
    // steep lines of order 4 and 5 lie close together, so their labels sit apart along them.
    const double start = workPrecision_ ? x0 : x1;
    const double end = workPrecision_ ? std::min(x1, x0 / reach) : std::max(x0, x1 * reach);
    const double slope = workPrecision_ ? -p : p;
    QList<QPointF> line;
    const double middle = start * std::pow(end / start, kLabelAt[i]);
    for (const double x : {start, middle, end})
      line.append(QPointF(x, y1 * std::pow(x / start, slope)));
    references_[i]->replace(line);
    references_[i]->setPointConfiguration(1, QXYSeries::PointConfiguration::LabelVisibility, true);
  }
}

QString ConvergenceChart::pointText(std::size_t method, double x) const {
  bool first = true;
  for (const study::ConvergenceRow& row : model_->rows()) {
    if (row.method != method) continue;
    if (xOf(row) != x) {
      first = false;
      continue;
    }
    // No order past the first row: an error of 0, or a row not resolved or not stable.
    const QString order = row.hasOrder() ? text(row.observedOrder)
                          : first        ? tr("(first row)")
                                         : QString();
    return tr("%1\nN = %2\nh = %3\nerror = %4\nobserved order = %5\nf evaluations = %6")
        .arg(idOf(method))
        .arg(row.N)
        .arg(text(row.h), text(row.error), order)
        .arg(row.evaluations);
  }
  return {};
}

}  // namespace kemi::lab
