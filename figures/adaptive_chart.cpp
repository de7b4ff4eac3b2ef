// Adaptive run pictures: two small frames of their own (linear and log10 ordinates) over the
// attempts' numbers; nothing here computes, it only places what the run kept.
#include "figures/adaptive_chart.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "core/method_table.h"
#include "figures/figure_painter.h"
#include "figures/picture_file.h"
#include "study/problem.h"

namespace kemi::lab {
namespace {

struct AdaptiveChartText {
  Q_DECLARE_TR_FUNCTIONS(AdaptiveChartText)
};

const QColor kRejected(0xCC, 0x33, 0x11);
constexpr double kMark = 4.0;

QString number(double v) {
  return QString::number(v, 'g', 4);
}

// A frame: the plot rectangle and the data range it shows; log10 of y when `logY`.
struct Frame {
  QRectF plot;
  double xMin = 0.0, xMax = 1.0, yMin = 0.0, yMax = 1.0;
  bool logY = false;
  bool logX = false;
  QPointF at(double x, double y) const {
    const double v = logY ? std::log10(y) : y;
    const double u = logX ? std::log10(x) : x;
    return {plot.left() + (u - xMin) / (xMax - xMin) * plot.width(),
            plot.top() + (yMax - v) / (yMax - yMin) * plot.height()};
  }
};

double niceStep(double span) {
  const double raw = span / 5.0;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double m : {1.0, 2.0, 5.0})
    if (raw <= m * power) return m * power;
  return 10.0 * power;
}

// The range of `values` (finite ones) with a margin; a width of at least `least`.
std::pair<double, double> span(const std::vector<double>& values, double least) {
  double lo = std::numeric_limits<double>::infinity();
  double hi = -std::numeric_limits<double>::infinity();
  for (const double v : values)
    if (std::isfinite(v)) lo = std::min(lo, v), hi = std::max(hi, v);
  if (!std::isfinite(lo)) return {0.0, 1.0};
  const double pad = std::max((hi - lo) * 0.08, least);
  return {lo - pad, hi + pad};
}

void drawFrame(QPainter& painter, const Frame& f, const QString& title) {
  const QFontMetrics metrics = painter.fontMetrics();
  painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(f.plot);
  painter.drawText(
      QRectF(f.plot.left(), f.plot.top() - metrics.height() - 4, f.plot.width(), metrics.height()),
      Qt::AlignLeft, metrics.elidedText(title, Qt::ElideRight, static_cast<int>(f.plot.width())));
  const double xs =
      f.logX ? std::max(1.0, std::ceil((f.xMax - f.xMin) / 8.0)) : niceStep(f.xMax - f.xMin);
  for (double i = std::ceil(f.xMin / xs); i * xs <= f.xMax; ++i) {
    const double x = f.plot.left() + (i * xs - f.xMin) / (f.xMax - f.xMin) * f.plot.width();
    painter.drawLine(QPointF(x, f.plot.bottom()), QPointF(x, f.plot.bottom() + 4));
    const QString text =
        f.logX ? QStringLiteral("1e%1").arg(static_cast<int>(i * xs)) : number(i * xs);
    painter.drawText(
        QPointF(x - metrics.horizontalAdvance(text) / 2.0, f.plot.bottom() + 6 + metrics.ascent()),
        text);
  }
  // Decades on a log axis (every second or more when ten would not fit), else 1-2-5 steps.
  const double decades = f.yMax - f.yMin;
  const double ys = f.logY ? std::max(1.0, std::ceil(decades / 6.0)) : niceStep(decades);
  for (double i = std::ceil(f.yMin / ys); i * ys <= f.yMax; ++i) {
    const double v = i * ys;
    const double y = f.plot.top() + (f.yMax - v) / (f.yMax - f.yMin) * f.plot.height();
    painter.drawLine(QPointF(f.plot.left() - 4, y), QPointF(f.plot.left(), y));
    const QString text = f.logY ? QStringLiteral("1e%1").arg(static_cast<int>(v)) : number(v);
    painter.drawText(QPointF(f.plot.left() - 7 - metrics.horizontalAdvance(text),
                             y + metrics.ascent() / 2.0 - 1),
                     text);
  }
}

void filledMark(QPainter& painter, QPointF p, const QColor& colour) {
  painter.setPen(QPen(colour.darker(140), 1.0));
  painter.setBrush(colour);
  painter.drawEllipse(p, kMark, kMark);
}

void hollowMark(QPainter& painter, QPointF p, const QColor& colour) {
  painter.setPen(QPen(colour, 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(p, kMark + 1.0, kMark + 1.0);
}

void crossMark(QPainter& painter, QPointF p) {
  painter.setPen(QPen(kRejected, 1.5));
  painter.drawLine(p + QPointF(-kMark, -kMark), p + QPointF(kMark, kMark));
  painter.drawLine(p + QPointF(-kMark, kMark), p + QPointF(kMark, -kMark));
}

QRectF inset(const QRectF& area) {
  return area.adjusted(72, 34, -16, -30);
}

}  // namespace

void paintAdaptiveRun(QPainter& painter, const QRectF& area, const AdaptivePictureData& data) {
  const study::Problem& p = data.problem;
  const auto& attempts = data.result.attempts;
  const QColor colour = figures::toQt(figure::methodStyles()[data.method].colour);
  const QRectF top(area.left(), area.top(), area.width(), area.height() * 0.62);
  const QRectF bottom(area.left(), top.bottom(), area.width(), area.height() - top.height());
  // The solution panel: its range from the accepted points and the exact curve, so that a wild
  // rejected attempt does not squeeze the picture (it is drawn clipped).
  std::vector<double> ys{p.y0};
  QPolygonF exact;
  if (const auto e = study::exactFunction(p.equation, p.x0, p.y0);
      e && !std::holds_alternative<study::TypedEquation>(p.equation)) {
    for (int i = 0; i <= 200; ++i) {
      const double x = p.x0 + (data.result.x - p.x0) * i / 200.0;
      exact << QPointF(x, e(x));
      ys.push_back(e(x));
    }
  }
  for (const study::Attempt& a : attempts)
    if (a.accepted) ys.push_back(a.y);
  Frame s{inset(top), std::min(p.x0, p.x1), std::max(p.x0, p.x1), 0, 0, false};
  std::tie(s.yMin, s.yMax) = span(ys, 1e-9 * (1.0 + std::abs(p.y0)));
  const QString id = QString::fromLatin1(kMethods[data.method].id.data(),
                                         static_cast<qsizetype>(kMethods[data.method].id.size()));
  drawFrame(painter, s,
            AdaptiveChartText::tr("%1: accepted steps (filled), rejected attempts (hollow), exact "
                                  "solution (grey)")
                .arg(id));
  painter.save();
  painter.setClipRect(s.plot);
  painter.setRenderHint(QPainter::Antialiasing);
  QPolygonF curve;
  for (const QPointF& q : exact) curve << s.at(q.x(), q.y());
  painter.setPen(QPen(QColor(0x90, 0x90, 0x90), 2.0));
  painter.drawPolyline(curve);
  QPolygonF path{s.at(p.x0, p.y0)};
  for (const study::Attempt& a : attempts)
    if (a.accepted) path << s.at(a.xEnd, a.y);
  painter.setPen(figures::methodPen(data.method, 1.5));
  painter.drawPolyline(path);
  for (const QPointF& q : path) filledMark(painter, q, colour);
  for (const study::Attempt& a : attempts)
    if (!a.accepted) hollowMark(painter, s.at(a.xEnd, a.y), kRejected);
  painter.restore();

  // The h strip: each attempt's |h| at its start, accepted joined by a line, rejected crossed.
  std::vector<double> logs;
  logs.reserve(attempts.size());
  for (const study::Attempt& a : attempts) logs.push_back(std::log10(std::abs(a.h)));
  Frame h{inset(bottom), s.xMin, s.xMax, 0, 0, true};
  std::tie(h.yMin, h.yMax) = span(logs, 0.5);
  drawFrame(painter, h, AdaptiveChartText::tr("step size |h| against x (log scale); x: rejected"));
  painter.save();
  painter.setClipRect(h.plot);
  painter.setRenderHint(QPainter::Antialiasing);
  QPolygonF steps;
  for (const study::Attempt& a : attempts)
    if (a.accepted) steps << h.at(a.x, std::abs(a.h)) << h.at(a.xEnd, std::abs(a.h));
  painter.setPen(QPen(colour, 1.5));
  painter.drawPolyline(steps);
  for (const study::Attempt& a : attempts)
    if (!a.accepted) crossMark(painter, h.at(a.x, std::abs(a.h)));
  painter.restore();
}

void paintEstimates(QPainter& painter, const QRectF& area, const AdaptivePictureData& data) {
  const auto& attempts = data.result.attempts;
  std::vector<double> logs;
  for (const study::Attempt& a : attempts)
    for (const double v : {a.estimate, a.localError})
      if (v != 0.0) logs.push_back(std::log10(std::abs(v)));
  const study::Problem& p = data.problem;
  Frame f{inset(area), std::min(p.x0, p.x1), std::max(p.x0, p.x1), 0, 0, true};
  std::tie(f.yMin, f.yMax) = span(logs, 0.5);
  drawFrame(
      painter, f,
      AdaptiveChartText::tr("|estimate| (filled), |true local error| (hollow); rejected in red"));
  painter.save();
  painter.setClipRect(f.plot);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor colour = figures::toQt(figure::methodStyles()[data.method].colour);
  for (const study::Attempt& a : attempts) {
    const QColor c = a.accepted ? colour : kRejected;
    if (a.estimate != 0.0) filledMark(painter, f.at(a.xEnd, std::abs(a.estimate)), c);
    if (a.localError != 0.0 && std::isfinite(a.localError))
      hollowMark(painter, f.at(a.xEnd, std::abs(a.localError)), c.darker(150));
  }
  painter.restore();
}

void paintWorkPrecision(QPainter& painter, const QRectF& area,
                        const std::vector<study::AdaptiveSweepRow>& adaptive,
                        const std::vector<study::ConvergenceRow>& fixed, std::size_t method) {
  std::vector<double> work, errors;
  const auto take = [&](double evaluations, double error) {
    if (evaluations > 0.0 && error != 0.0 && std::isfinite(error))
      work.push_back(std::log10(evaluations)), errors.push_back(std::log10(std::abs(error)));
  };
  for (const auto& r : adaptive)
    if (r.cause.empty()) take(static_cast<double>(r.evaluations), r.error);
  for (const auto& r : fixed) take(static_cast<double>(r.evaluations), r.error);
  Frame f{inset(area), 0, 0, 0, 0, true, true};
  std::tie(f.xMin, f.xMax) = span(work, 0.5);
  std::tie(f.yMin, f.yMax) = span(errors, 0.5);
  drawFrame(painter, f,
            AdaptiveChartText::tr(
                "|error| at x1 against evaluations of f: adaptive (filled), fixed h (hollow)"));
  painter.save();
  painter.setClipRect(f.plot);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor colour = figures::toQt(figure::methodStyles()[method].colour);
  QPolygonF line;
  for (const auto& r : fixed)
    if (r.error != 0.0 && std::isfinite(r.error))
      line << f.at(static_cast<double>(r.evaluations), std::abs(r.error));
  painter.setPen(QPen(colour, 1.0, Qt::DashLine));
  painter.drawPolyline(line);
  for (const QPointF& q : line) hollowMark(painter, q, colour);
  line.clear();
  for (const auto& r : adaptive)
    if (r.cause.empty() && r.error != 0.0)
      line << f.at(static_cast<double>(r.evaluations), std::abs(r.error));
  painter.setPen(QPen(colour, 1.5));
  painter.drawPolyline(line);
  for (const QPointF& q : line) filledMark(painter, q, colour);
  painter.restore();
}

QString adaptiveDescription(const AdaptivePictureData& data) {
  const study::AdaptiveResult& r = data.result;
  QString text =
      AdaptiveChartText::tr(
          "%1 adaptive steps from x = %2 to %3: %4 accepted, %5 rejected, %6 "
          "evaluations of f, error %7 at the end.")
          .arg(QString::fromLatin1(kMethods[data.method].id.data(),
                                   static_cast<qsizetype>(kMethods[data.method].id.size())),
               number(data.problem.x0), number(r.x))
          .arg(r.accepted)
          .arg(r.rejected)
          .arg(r.evaluations)
          .arg(number(r.error));
  if (r.stabilityHeld)
    text += AdaptiveChartText::tr(" The step size is held by stability, not by accuracy.");
  return text;
}

bool drawAdaptiveChart(const AdaptivePictureData& data, const QString& path, QByteArray& bytes,
                       QString& error) {
  return renderPainted({kChartFileSize, QStringLiteral("Adaptive steps"), adaptiveDescription(data),
                        [&data](QPainter& painter) {
                          painter.fillRect(QRectF(QPointF(0, 0), kChartFileSize), Qt::white);
                          paintAdaptiveRun(painter, QRectF(QPointF(0, 0), kChartFileSize), data);
                        }},
                       path, 1.0, bytes, error);
}

}  // namespace kemi::lab
