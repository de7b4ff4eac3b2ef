// The system convergence chart over the figure layer: a log-log view box around the rows'
// nonzero errors, the order lines through the box's upper left corner, a line and markers per
// method, and the legend in the quietest corner.
#include "figures/system_convergence_chart.h"

#include <QObject>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <map>

#include "figures/picture_file.h"
#include "figures/system_painting.h"
#include "plot/figure/legend.h"
#include "study/system_methods.h"
#include "study/text_table.h"

namespace kemi::lab {
namespace {

namespace fg = kemi::figure;

constexpr int kOrders[] = {1, 2, 4};

// Each method's (N, error) points in row order; an error of 0 has no place on a log scale.
std::map<std::size_t, std::vector<fg::Point>> curvesOf(
    const std::vector<study::SystemConvergenceRow>& rows) {
  std::map<std::size_t, std::vector<fg::Point>> curves;
  for (const study::SystemConvergenceRow& r : rows) {
    std::vector<fg::Point>& c = curves[r.method];
    if (r.error > 0.0 && std::isfinite(r.error)) c.push_back({static_cast<double>(r.N), r.error});
  }
  return curves;
}

// Whole decades around the points on both axes.
fg::ViewBox decadeBox(const std::map<std::size_t, std::vector<fg::Point>>& curves) {
  double xLo = INFINITY, xHi = 0.0, yLo = INFINITY, yHi = 0.0;
  for (const auto& [method, c] : curves)
    for (const fg::Point& q : c) {
      xLo = std::min(xLo, q.x), xHi = std::max(xHi, q.x);
      yLo = std::min(yLo, q.y), yHi = std::max(yHi, q.y);
    }
  if (!(xHi > 0.0)) xLo = 1.0, xHi = 10.0;
  if (!(yHi > 0.0)) yLo = 1e-16, yHi = 1.0;
  const auto down = [](double v) { return std::pow(10.0, std::floor(std::log10(v))); };
  const auto up = [](double v, double lo) {
    return std::pow(10.0, std::max(std::ceil(std::log10(v)), std::floor(std::log10(lo)) + 1.0));
  };
  return {down(xLo), up(xHi, xLo), down(yLo), up(yHi, yLo)};
}

}  // namespace

void paintSystemConvergence(QPainter& p, const QRectF& area,
                            const std::vector<study::SystemConvergenceRow>& rows,
                            const QString& title) {
  p.fillRect(area, Qt::white);
  const auto curves = curvesOf(rows);
  const fg::Rect plot{area.left() + 76.0, area.top() + 36.0, area.width() - 96.0,
                      area.height() - 84.0};
  const fg::ViewBox box = decadeBox(curves);
  const fg::Transform t(box, plot, fg::Scale::Log10, fg::Scale::Log10);
  p.setPen(Qt::black);
  p.drawText(QRectF(plot.left, area.top() + 8.0, plot.width, 20.0), Qt::AlignHCenter, title);
  for (const int order : kOrders) {
    QPen pen(QColor(150, 150, 150), 1.0, Qt::DashLine);
    const double y0 = box.yMax;
    paintRuns(p, {{box.xMin, y0}, {box.xMax, y0 * std::pow(box.xMin / box.xMax, order)}}, t, pen);
  }
  std::vector<fg::Polyline> drawn;
  for (const auto& [method, c] : curves) {
    const fg::MethodStyle style = styleOf(method);
    paintRuns(p, c, t, methodPen(style));
    fg::Polyline& pixels = drawn.emplace_back();
    for (const fg::Point& q : c) {
      pixels.push_back(t.toPixel(q));
      paintMarker(p, style, t.toPixel(q));
    }
  }
  paintAxes(p, t, true, QObject::tr("N (steps from x0 to x1); dashed: order 1, 2, 4"),
            QObject::tr("largest component error at x1"), true);
  const fg::Rect corner =
      fg::quietCorner(t, 150.0, 18.0 * static_cast<double>(curves.size()) + 8.0, 8.0, drawn);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 230));
  p.drawRect(QRectF(corner.left, corner.top, corner.width, corner.height));
  const auto items =
      fg::columnLegend({corner.left + 6.0, corner.top + 4.0}, 18.0, 26.0, 12.0, 6.0, curves.size());
  std::size_t i = 0;
  for (const auto& [method, c] : curves) {
    const fg::LegendItem& item = items[i++];
    const fg::MethodStyle style = styleOf(method);
    p.setPen(methodPen(style));
    p.drawLine(QPointF(item.swatch.left, item.centreY), QPointF(item.swatch.right(), item.centreY));
    paintMarker(p, style, {item.swatch.centre().x, item.centreY});
    p.setPen(Qt::black);
    p.drawText(QRectF(item.textLeft, item.centreY - 8.0, 110.0, 16.0),
               Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromLatin1(study::systemMethodId(method)));
  }
}

QString describeSystemConvergence(const std::vector<study::SystemConvergenceRow>& rows) {
  QStringList parts;
  for (const auto& [method, c] : curvesOf(rows)) {
    double order = NAN;
    for (const study::SystemConvergenceRow& r : rows)
      if (r.method == method && r.hasOrder()) order = r.observedOrder;
    double least = INFINITY;
    for (const fg::Point& q : c) least = std::min(least, q.y);
    parts << QObject::tr("%1: smallest error %2, last observed order %3")
                 .arg(QString::fromLatin1(study::systemMethodId(method)))
                 .arg(std::isfinite(least) ? QString::number(least, 'g', 3) : QObject::tr("none"))
                 .arg(std::isnan(order) ? QObject::tr("none") : QString::number(order, 'f', 2));
  }
  return QObject::tr("The largest component error at x1 against N, log-log. ") +
         parts.join(QStringLiteral("; ")) + QLatin1Char('.');
}

bool drawSystemConvergenceChart(const std::vector<study::SystemConvergenceRow>& rows,
                                const QString& title, const QString& path, QByteArray& bytes,
                                QString& error) {
  const QRectF area(QPointF(0.0, 0.0), QSizeF(kChartFileSize));
  return renderPainted({kChartFileSize, title, describeSystemConvergence(rows),
                        [&](QPainter& p) { paintSystemConvergence(p, area, rows, title); }},
                       path, 1.0, bytes, error);
}

}  // namespace kemi::lab
