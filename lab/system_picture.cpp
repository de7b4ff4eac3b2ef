// The system pictures: each panel is a view box mapped by the figure layer's transform, its
// ticks, its curves cut to the plot and the methods' markers, painted by one QPainter.
#include "system_picture.h"

#include <QObject>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "chart_file.h"
#include "figure/clip.h"
#include "figure/field.h"
#include "figure/legend.h"
#include "figure/style.h"
#include "figure/ticks.h"
#include "study/system_methods.h"
#include "study/system_solution.h"

namespace kemi::lab {
namespace {

namespace fg = kemi::figure;

constexpr int kSolutionPoints = 600;
constexpr std::int64_t kMostMarkedSteps = 64;
const QColor kSolutionColour(160, 160, 160);

// The seven keep their styles of every picture; the two symplectic methods get their own.
fg::MethodStyle styleOf(std::size_t method) {
  if (method == study::kSymplecticEuler) return {{0x7F, 0x3C, 0x8D}, fg::Marker::Square, true, {2, 2}};
  if (method == study::kVerlet) return {{0x99, 0x99, 0x33}, fg::Marker::Triangle, true, {6, 2}};
  return fg::methodStyles()[method];
}

QColor qColour(fg::Rgb c) {
  return QColor(c.r, c.g, c.b);
}

QPointF qPoint(fg::Point p) {
  return {p.x, p.y};
}

void paintMarker(QPainter& p, const fg::MethodStyle& style, fg::Point at) {
  const double radius = fg::kMarkerRadius * (style.hollow ? 1.35 : 1.0);
  const fg::MarkerShape shape = fg::markerShape(style.marker, at, radius);
  p.setPen(QPen(qColour(style.colour), style.hollow ? fg::kHollowMarkerPen : fg::kMarkerPen));
  p.setBrush(style.hollow ? QBrush(Qt::NoBrush) : QBrush(qColour(style.colour)));
  if (shape.round) {
    p.drawEllipse(qPoint(shape.centre), shape.radius, shape.radius);
    return;
  }
  QPolygonF polygon;
  for (const fg::Point& q : shape.points) polygon << qPoint(q);
  p.drawPolygon(polygon);
}

void paintRuns(QPainter& p, const std::vector<fg::Point>& world, const fg::Transform& t,
               const QPen& pen) {
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  for (const fg::Polyline& run : fg::visibleRuns(world, t, t.plot())) {
    QPolygonF line;
    for (const fg::Point& q : run) line << qPoint(q);
    p.drawPolyline(line);
  }
}

QPen methodPen(const fg::MethodStyle& style) {
  QPen pen(qColour(style.colour), 1.6);
  if (!style.dashes.empty()) pen.setDashPattern(QList<qreal>(style.dashes.begin(), style.dashes.end()));
  return pen;
}

// Frame, ticks and their labels, axis names.
void paintAxes(QPainter& p, const fg::Transform& t, bool logY, const QString& xName,
               const QString& yName) {
  const fg::Rect& r = t.plot();
  const fg::ViewBox& b = t.box();
  p.setPen(QPen(Qt::black, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(r.left, r.top, r.width, r.height));
  const fg::Ticks xt = fg::linearTicks(b.xMin, b.xMax, 8.0, fg::TickRounding::Nearest);
  for (std::int64_t k = xt.first; k <= xt.last; ++k) {
    const double x = t.toPixel(xt.value(k), b.yMin).x;
    p.drawLine(QPointF(x, r.bottom()), QPointF(x, r.bottom() + 5.0));
    p.drawText(QRectF(x - 40.0, r.bottom() + 6.0, 80.0, 16.0), Qt::AlignHCenter,
               QString::fromStdString(xt.trimmedLabel(k)));
  }
  const auto yTick = [&](double value, const std::string& label) {
    const double y = t.toPixel(b.xMin, value).y;
    p.drawLine(QPointF(r.left - 5.0, y), QPointF(r.left, y));
    p.drawText(QRectF(r.left - 68.0, y - 8.0, 60.0, 16.0), Qt::AlignRight | Qt::AlignVCenter,
               QString::fromStdString(label));
  };
  if (logY) {
    const fg::LogTicks yt = fg::logTicks(b.yMin, b.yMax, 8);
    for (int k = yt.first; k <= yt.last; k += yt.every) yTick(yt.value(k), yt.label(k));
  } else {
    const fg::Ticks yt = fg::linearTicks(b.yMin, b.yMax, 6.0, fg::TickRounding::Nearest);
    for (std::int64_t k = yt.first; k <= yt.last; ++k) yTick(yt.value(k), yt.trimmedLabel(k));
  }
  p.drawText(QRectF(r.left, r.bottom() + 22.0, r.width, 16.0), Qt::AlignHCenter, xName);
  p.save();
  p.translate(r.left - 56.0, r.top + r.height / 2.0);
  p.rotate(-90.0);
  p.drawText(QRectF(-r.height / 2.0, -16.0, r.height, 16.0), Qt::AlignHCenter, yName);
  p.restore();
}

// A box around `points` padded by a twentieth; polygons that run far off do not widen it past
// three times the solution's own box.
fg::ViewBox boxAround(const std::vector<fg::Point>& solution,
                      const std::vector<std::vector<fg::Point>>& curves) {
  fg::ViewBox b{INFINITY, -INFINITY, INFINITY, -INFINITY};
  const auto take = [&b](const fg::Point& q) {
    if (!std::isfinite(q.x) || !std::isfinite(q.y)) return;
    b = {std::min(b.xMin, q.x), std::max(b.xMax, q.x), std::min(b.yMin, q.y), std::max(b.yMax, q.y)};
  };
  for (const fg::Point& q : solution) take(q);
  const fg::ViewBox own = b;
  const double w = std::max(own.xMax - own.xMin, 1e-9);
  const double h = std::max(own.yMax - own.yMin, 1e-9);
  for (const auto& curve : curves)
    for (const fg::Point& q : curve)
      if (std::abs(q.x - own.xMin) < 3.0 * w && std::abs(q.y - own.yMin) < 3.0 * h) take(q);
  const double padX = std::max(b.xMax - b.xMin, 1e-9) / 20.0;
  const double padY = std::max(b.yMax - b.yMin, 1e-9) / 20.0;
  return {b.xMin - padX, b.xMax + padX, b.yMin - padY, b.yMax + padY};
}

// x0 to x1 across, whole decades around the positive values up.
fg::ViewBox logBox(const study::SystemProblem& problem,
                   const std::vector<std::vector<fg::Point>>& curves) {
  double lo = INFINITY;
  double hi = 0.0;
  for (const auto& curve : curves)
    for (const fg::Point& q : curve)
      if (q.y > 0.0 && std::isfinite(q.y)) {
        lo = std::min(lo, q.y);
        hi = std::max(hi, q.y);
      }
  if (!(hi > 0.0)) lo = hi = 1e-16;
  return {std::min(problem.x0, problem.x1), std::max(problem.x0, problem.x1),
          std::pow(10.0, std::floor(std::log10(lo))),
          std::pow(10.0, std::max(std::ceil(std::log10(hi)), std::floor(std::log10(lo)) + 1.0))};
}

fg::Rect plotIn(const QRectF& area) {
  return {area.left() + 76.0, area.top() + 36.0, area.width() - 96.0, area.height() - 84.0};
}

void paintLegend(QPainter& p, const fg::Transform& t, const SystemPictureData& d,
                 const std::vector<fg::Polyline>& curves, bool methodsOnly,
                 const QString& solutionName) {
  const std::size_t skip = methodsOnly ? 1 : 0;
  const std::size_t count = d.polygons.size() + 1 - skip;
  const fg::Rect corner = fg::quietCorner(t, 150.0, 18.0 * count + 8.0, 8.0, curves);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 230));
  p.drawRect(QRectF(corner.left, corner.top, corner.width, corner.height));
  const auto items = fg::columnLegend({corner.left + 6.0, corner.top + 4.0}, 18.0, 26.0, 12.0,
                                      6.0, count);
  for (std::size_t i = skip; i < count + skip; ++i) {
    const fg::LegendItem& item = items[i - skip];
    const double y = item.centreY;
    if (i == 0) {
      p.setPen(QPen(kSolutionColour, 3.0));
    } else {
      p.setPen(methodPen(styleOf(d.polygons[i - 1].method)));
    }
    p.drawLine(QPointF(item.swatch.left, y), QPointF(item.swatch.right(), y));
    if (i > 0) paintMarker(p, styleOf(d.polygons[i - 1].method), {item.swatch.centre().x, y});
    p.setPen(Qt::black);
    const QString name = i == 0 ? solutionName
                                : QString::fromLatin1(study::systemMethodId(d.polygons[i - 1].method));
    p.drawText(QRectF(item.textLeft, y - 8.0, 110.0, 16.0), Qt::AlignLeft | Qt::AlignVCenter, name);
  }
}

// One panel: the solution (if any) and each polygon as world points picked by `point`.
template <class Pick>
void paintPanel(QPainter& p, const QRectF& area, const SystemPictureData& d, Pick&& point,
                bool equal, bool logY, bool withField, const QString& xName, const QString& yName) {
  std::vector<fg::Point> solution;
  if (!logY)
    for (std::size_t i = 0; i < d.xs.size(); ++i) solution.push_back(point(d.xs[i], d.solution[i]));
  std::vector<std::vector<fg::Point>> curves;
  for (const study::SystemPolygon& poly : d.polygons) {
    std::vector<fg::Point>& c = curves.emplace_back();
    for (std::size_t i = 0; i < poly.x.size(); ++i) c.push_back(point(poly.x[i], poly.y[i]));
  }
  const fg::Rect plot = plotIn(area);
  fg::ViewBox box = logY ? logBox(d.problem, curves) : boxAround(solution, curves);
  if (equal) box = fg::equalScale(box, plot);
  const fg::Transform t(box, plot, fg::Scale::Linear, logY ? fg::Scale::Log10 : fg::Scale::Linear);
  if (withField) {
    const auto f = study::systemSlope(d.problem.system);
    const double x0 = d.problem.x0;
    const auto field = [&f, x0](double a, double b) {
      const Vec2 v = f(x0, Vec2{{a, b}});
      return std::array<double, 2>{v[0], v[1]};
    };
    p.setPen(QPen(QColor(200, 200, 215), 1.0));
    for (const fg::Segment& s : fg::fieldMarks(fg::sampleField(field, t, 28, 18), t, 14.0))
      p.drawLine(qPoint(s.a), qPoint(s.b));
  }
  paintAxes(p, t, logY, xName, yName);
  p.save();
  p.setClipRect(QRectF(plot.left, plot.top, plot.width, plot.height));
  if (!solution.empty()) paintRuns(p, solution, t, QPen(kSolutionColour, 3.0));
  for (std::size_t k = 0; k < curves.size(); ++k) {
    const fg::MethodStyle style = styleOf(d.polygons[k].method);
    paintRuns(p, curves[k], t, methodPen(style));
    if (d.n <= kMostMarkedSteps)
      for (const fg::Point& q : curves[k]) {
        const fg::Point px = t.toPixel(q);
        if (std::isfinite(q.x) && std::isfinite(q.y) && plot.contains(px)) paintMarker(p, style, px);
      }
  }
  p.restore();
  std::vector<fg::Polyline> all(curves.begin(), curves.end());
  all.push_back(solution);
  paintLegend(p, t, d, all, solution.empty(),
              d.exact ? QObject::tr("exact") : QObject::tr("reference"));
}

}  // namespace

SystemPictureData systemPictureData(const study::SystemProblem& problem, std::int64_t n,
                                    const std::vector<std::size_t>& methods) {
  SystemPictureData d;
  d.problem = problem;
  d.n = n;
  for (const std::size_t m : methods) d.polygons.push_back(study::systemPolygon(problem, m, n));
  d.xs = study::systemSamples(problem, kSolutionPoints);
  const study::SystemSolution solution(problem, d.xs);
  d.exact = solution.exact();
  for (const double x : d.xs) d.solution.push_back(solution.at(x));
  return d;
}

void paintSystemPicture(QPainter& p, const QRectF& area, const SystemPictureData& d,
                        SystemView view) {
  p.fillRect(area, Qt::white);
  p.setPen(Qt::black);
  p.drawText(QRectF(area.left(), area.top() + 6.0, area.width(), 20.0), Qt::AlignHCenter,
             QString::fromStdString(study::systemTitle(d.problem)) +
                 QObject::tr(", N = %1").arg(d.n));
  if (view == SystemView::Phase) {
    paintPanel(p, area, d, [](double, const Vec2& y) { return fg::Point{y[0], y[1]}; }, true,
               false, true, QObject::tr("y1"), QObject::tr("y2"));
  } else if (view == SystemView::Components) {
    const QRectF top(area.left(), area.top(), area.width(), area.height() / 2.0);
    const QRectF bottom(area.left(), area.top() + area.height() / 2.0, area.width(),
                        area.height() / 2.0);
    paintPanel(p, top, d, [](double x, const Vec2& y) { return fg::Point{x, y[0]}; }, false,
               false, false, QObject::tr("x"), QObject::tr("y1"));
    paintPanel(p, bottom, d, [](double x, const Vec2& y) { return fg::Point{x, y[1]}; }, false,
               false, false, QObject::tr("x"), QObject::tr("y2"));
  } else {
    const auto invariant = study::systemInvariant(d.problem.system);
    const double start = invariant(d.problem.y0);
    paintPanel(p, area, d,
               [&](double x, const Vec2& y) {
                 const double drift = std::abs((invariant(y) - start) / std::abs(start));
                 return fg::Point{x, drift > 0.0 ? drift : NAN};
               },
               false, true, false, QObject::tr("x"), QObject::tr("|relative drift of the invariant|"));
  }
}

QString describeSystemPicture(const SystemPictureData& d, SystemView view) {
  QStringList methods;
  for (const study::SystemPolygon& poly : d.polygons)
    methods << QString::fromLatin1(study::systemMethodId(poly.method));
  const QString what = view == SystemView::Phase
                           ? QObject::tr("The phase plane, y2 against y1, with the vector field")
                       : view == SystemView::Components
                           ? QObject::tr("The components y1 and y2 against x")
                           : QObject::tr("The relative drift of the invariant against x, log scale");
  return QObject::tr("%1 of %2: the %3 solution and %4 with N = %5.")
      .arg(what, QString::fromStdString(study::systemTitle(d.problem)),
           d.exact ? QObject::tr("exact") : QObject::tr("reference"), methods.join(QStringLiteral(", ")))
      .arg(d.n);
}

bool drawSystemChart(const SystemPictureData& data, SystemView view, const QString& path,
                     QByteArray& bytes, QString& error) {
  const QRectF area(QPointF(0.0, 0.0), QSizeF(kChartFileSize));
  return renderPainted({kChartFileSize, QString::fromStdString(study::systemTitle(data.problem)),
                        describeSystemPicture(data, view),
                        [&](QPainter& p) { paintSystemPicture(p, area, data, view); }},
                       path, 1.0, bytes, error);
}

}  // namespace kemi::lab
