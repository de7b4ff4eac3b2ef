// The stability chart. Curves above kStabilityRMax are cut at that height by this code rather
// than by the axis: an SVG export draws series unclipped, so nothing may lie outside the axes.
#include "stability_chart.h"

#include <QChart>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <cmath>

#include "method_style.h"
#include "method_table.h"
#include "stability.h"
#include "study_input.h"
#include "text_table_model.h"

namespace kemi::lab {
namespace {

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

study::TextTable amplificationText(const std::vector<std::size_t>& methods) {
  study::TextTable table;
  table.header.emplace_back("h");
  std::vector<std::vector<study::AmplificationPoint>> curves;
  for (const std::size_t m : methods) {
    table.header.push_back("R_" + std::string(kMethods.at(m).id));
    curves.push_back(study::amplificationCurve(m, kStabilityHMax, kStabilitySamples));
  }
  for (int i = 0; i < kStabilitySamples; ++i) {
    const auto row = static_cast<std::size_t>(i);
    std::vector<std::string> cells{study::shortestText(curves.empty() ? 0.0 : curves[0][row].h)};
    for (const auto& curve : curves) cells.push_back(study::shortestText(curve[row].r));
    table.rows.push_back(std::move(cells));
  }
  return table;
}

QChart* makeStabilityChart(const TextTableModel& limits, const TextTableModel& samples) {
  auto* chart = new QChart;
  chart->setTitle(QStringLiteral("Stability on dy/dx = -2x - y: |R(-h)| against the step h"));
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

  for (int column = 1; column < samples.columnCount(); ++column) {
    const std::string id = samples.table().header[static_cast<std::size_t>(column)].substr(2);
    const std::size_t m = study::methodById(id).value_or(0);
    QList<QPointF> curve;
    for (int r = 0; r < samples.rowCount(); ++r)
      curve.append(QPointF(samples.number(r, 0), std::fabs(samples.number(r, column))));
    for (const QList<QPointF>& part : below(curve, kStabilityRMax)) {
      auto* line = new QLineSeries;
      line->setPen(linePen(m));
      line->replace(part);
      attach(chart, line, x, y);
      hideFromLegend(chart, line);
    }
    auto* mark = new QScatterSeries;
    styleMarkers(mark, m);
    QString name = QString::fromStdString(id);
    for (int r = 0; r < limits.rowCount(); ++r) {
      if (limits.table().rows[static_cast<std::size_t>(r)][0] != id) continue;
      const double limit = limits.number(r, 3);
      const QString text = QString::number(limit, 'g', 5);
      if (limit <= kStabilityHMax)
        mark->append(limit, 1.0), name += QStringLiteral(" (limit %1)").arg(text);
      else
        name += QStringLiteral(" (limit %1, beyond the chart)").arg(text);
    }
    mark->setName(name);
    attach(chart, mark, x, y);
  }
  return chart;
}

}  // namespace kemi::lab
