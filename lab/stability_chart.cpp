// The stability chart. Curves above kStabilityRMax are cut at that height by this code rather
// than by the axis: an SVG export draws series unclipped, so nothing may lie outside the axes.
#include "lab/stability_chart.h"

#include <QChart>
#include <QCoreApplication>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <cmath>

#include "core/method_table.h"
#include "lab/method_style.h"
#include "lab/text_table_model.h"
#include "study/stability.h"
#include "study/study_input.h"

namespace kemi::lab {
namespace {

struct StabilityChart {
  Q_DECLARE_TR_FUNCTIONS(StabilityChart)
};

// The parts of a polyline that lie at or below `top`, ends placed on `top` where it crosses.
std::vector<QList<QPointF>> below(const QList<QPointF>& points, double top) {
  std::vector<QList<QPointF>> parts(1);
  for (qsizetype i = 0; i < points.size(); ++i) {
    const QPointF& p = points[i];
    if (i > 0) {
      const QPointF& q = points[i - 1];
      if ((q.y() <= top) != (p.y() <= top)) {
        const double t = (top - q.y()) / (p.y() - q.y());
        parts.back().append(QPointF(q.x() + t * (p.x() - q.x()), top));
        if (p.y() > top) parts.emplace_back();
      }
    }
    if (p.y() <= top) parts.back().append(p);
  }
  if (parts.back().isEmpty()) parts.pop_back();
  return parts;
}

void attach(QChart* chart, QXYSeries* series, QValueAxis* x, QValueAxis* y) {
  chart->addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
}

void hideFromLegend(QChart* chart, QAbstractSeries* series) {
  for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(false);
}

}  // namespace

std::vector<StabilityCurve> stabilityCurves(const std::vector<std::size_t>& methods) {
  std::vector<StabilityCurve> curves;
  curves.reserve(methods.size());
  for (const std::size_t m : methods)
    curves.push_back({m, study::amplificationCurve(m, kStabilityHMax, kStabilitySamples),
                      study::stabilityLimit(m)});
  return curves;
}

study::TextTable amplificationText(const std::vector<StabilityCurve>& curves) {
  study::TextTable table;
  table.header.emplace_back("h");
  for (const StabilityCurve& c : curves)
    table.header.push_back("R_" + std::string(kMethods.at(c.method).id));
  for (int i = 0; i < kStabilitySamples; ++i) {
    const auto row = static_cast<std::size_t>(i);
    std::vector<std::string> cells{
        study::shortestText(curves.empty() ? 0.0 : curves[0].samples[row].h)};
    for (const StabilityCurve& c : curves) cells.push_back(study::shortestText(c.samples[row].r));
    table.rows.push_back(std::move(cells));
  }
  return table;
}

study::TextTable amplificationText(const std::vector<std::size_t>& methods) {
  return amplificationText(stabilityCurves(methods));
}

QChart* makeStabilityChart(const TextTableModel& limits, const TextTableModel&) {
  std::vector<std::size_t> methods;
  for (const std::vector<std::string>& row : limits.table().rows)
    if (const std::optional<std::size_t> m = study::methodById(row[0])) methods.push_back(*m);
  return makeStabilityChart(stabilityCurves(methods));
}

QChart* makeStabilityChart(const std::vector<StabilityCurve>& curves) {
  auto* chart = new QChart;
  chart->setTitle(StabilityChart::tr("Stability on dy/dx = -2x - y: |R(-h)| against the step h"));
  chart->legend()->setAlignment(Qt::AlignRight);
  chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
  auto* x = new QValueAxis;
  auto* y = new QValueAxis;
  x->setRange(0.0, kStabilityHMax);
  y->setRange(0.0, kStabilityRMax);
  x->setTickCount(9);
  y->setTickCount(5);
  x->setTitleText(QStringLiteral("h"));
  y->setTitleText(QStringLiteral("|R(-h)|"));
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);

  auto* one = new QLineSeries;
  one->setName(QStringLiteral("|R| = 1"));
  QPen dashed(QColor(0x40, 0x40, 0x40), 1.0, Qt::DashLine);
  one->setPen(dashed);
  one->append(0.0, 1.0);
  one->append(kStabilityHMax, 1.0);
  attach(chart, one, x, y);

  for (const StabilityCurve& c : curves) {
    QList<QPointF> curve;
    for (const study::AmplificationPoint& p : c.samples) curve.append(QPointF(p.h, std::fabs(p.r)));
    for (const QList<QPointF>& part : below(curve, kStabilityRMax)) {
      auto* line = new QLineSeries;
      line->setPen(linePen(c.method));
      line->replace(part);
      attach(chart, line, x, y);
      hideFromLegend(chart, line);
    }
    auto* mark = new QScatterSeries;
    styleMarkers(mark, c.method);
    QString name = QString::fromLatin1(kMethods[c.method].id.data(),
                                       static_cast<qsizetype>(kMethods[c.method].id.size()));
    const QString text = QString::number(c.limit, 'g', 5);
    if (c.limit <= kStabilityHMax)
      mark->append(c.limit, 1.0), name += StabilityChart::tr(" (limit %1)").arg(text);
    else
      name += StabilityChart::tr(" (limit %1, beyond the chart)").arg(text);
    mark->setName(name);
    attach(chart, mark, x, y);
  }
  return chart;
}

}  // namespace kemi::lab
