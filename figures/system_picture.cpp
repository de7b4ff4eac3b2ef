// The system pictures: each panel is a view box mapped by the figure layer's transform, its
// ticks, its curves cut to the plot and the methods' markers, painted by one QPainter.
#include "figures/system_picture.h"

#include <QObject>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>

#include "figures/picture_file.h"
#include "figures/system_painting.h"
#include "plot/figure/clip.h"
#include "plot/figure/field.h"
#include "plot/figure/legend.h"
#include "plot/figure/style.h"
#include "plot/figure/ticks.h"
#include "study/system_methods.h"
#include "study/system_solution.h"

namespace kemi::lab {
namespace {

namespace fg = kemi::figure;

constexpr int kSolutionPoints = 600;
constexpr std::int64_t kMostMarkedSteps = 64;

QPointF qPoint(fg::Point p) {
  return {p.x, p.y};
}

// A box around `points` padded by a twentieth; polygons that run far off do not widen it past
// three times the solution's own box.
fg::ViewBox boxAround(const std::vector<fg::Point>& solution,
                      const std::vector<std::vector<fg::Point>>& curves) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  fg::ViewBox b{kInf, -kInf, kInf, -kInf};
  const auto take = [&b](const fg::Point& q) {
    if (!std::isfinite(q.x) || !std::isfinite(q.y)) return;
    b = {std::min(b.xMin, q.x), std::max(b.xMax, q.x), std::min(b.yMin, q.y),
         std::max(b.yMax, q.y)};
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
  const fg::Rect corner =
      fg::quietCorner(t, 150.0, 18.0 * static_cast<double>(count) + 8.0, 8.0, curves);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 230));
  p.drawRect(QRectF(corner.left, corner.top, corner.width, corner.height));
  const auto items =
      fg::columnLegend({corner.left + 6.0, corner.top + 4.0}, 18.0, 26.0, 12.0, 6.0, count);
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
    const QString name = i == 0
                             ? solutionName
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
        if (std::isfinite(q.x) && std::isfinite(q.y) && plot.contains(px))
          paintMarker(p, style, px);
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
  p.drawText(
      QRectF(area.left(), area.top() + 6.0, area.width(), 20.0), Qt::AlignHCenter,
      QString::fromStdString(study::systemTitle(d.problem)) + QObject::tr(", N = %1").arg(d.n));
  if (view == SystemView::Phase) {
    paintPanel(
        p, area, d,
        [](double, const Vec2& y) {
          return fg::Point{y[0], y[1]};
        },
        true, false, true, QObject::tr("y1"), QObject::tr("y2"));
  } else if (view == SystemView::Components) {
    const QRectF top(area.left(), area.top(), area.width(), area.height() / 2.0);
    const QRectF bottom(area.left(), area.top() + area.height() / 2.0, area.width(),
                        area.height() / 2.0);
    paintPanel(
        p, top, d,
        [](double x, const Vec2& y) {
          return fg::Point{x, y[0]};
        },
        false, false, false, QObject::tr("x"), QObject::tr("y1"));
    paintPanel(
        p, bottom, d,
        [](double x, const Vec2& y) {
          return fg::Point{x, y[1]};
        },
        false, false, false, QObject::tr("x"), QObject::tr("y2"));
  } else {
    const auto invariant = study::systemInvariant(d.problem.system);
    const double start = invariant(d.problem.y0);
    paintPanel(
        p, area, d,
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
  const QString what =
      view == SystemView::Phase
          ? QObject::tr("The phase plane, y2 against y1, with the vector field")
      : view == SystemView::Components
          ? QObject::tr("The components y1 and y2 against x")
          : QObject::tr("The relative drift of the invariant against x, log scale");
  return QObject::tr("%1 of %2: the %3 solution and %4 with N = %5.")
      .arg(what, QString::fromStdString(study::systemTitle(d.problem)),
           d.exact ? QObject::tr("exact") : QObject::tr("reference"),
           methods.join(QStringLiteral(", ")))
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
