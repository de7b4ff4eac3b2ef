// Drawing the Solution picture: the scene and the field handed to the figure layer, which
// describes the picture (plot/figure/solution_figure.h) as the lab page draws it too, replayed
// on the painter.
#include <QCoreApplication>
#include <QPainter>

#include "figures/command_painter.h"
#include "figures/figure_painter.h"
#include "figures/solution_picture.h"
#include "plot/figure/solution_figure.h"

namespace kemi::lab {

void drawSolution(QPainter& painter, const QRectF& area, const ViewBox& box,
                  const std::vector<QLineF>& field, const SolutionScene& scene) {
  figure::SolutionFigureInput in;
  in.area = figures::fromQt(area);
  in.box = box;
  for (const SolutionCurve& c : scene.curves) {
    figure::SolutionFigureCurve& curve = in.curves.emplace_back();
    curve.name = c.name.toStdString();
    curve.world.reserve(c.points.size());
    for (const QPointF& p : c.points) curve.world.push_back(figures::fromQt(p));
    curve.colour = {static_cast<std::uint8_t>(c.colour.red()),
                    static_cast<std::uint8_t>(c.colour.green()),
                    static_cast<std::uint8_t>(c.colour.blue())};
    curve.dashed = c.dashed;
    curve.method = c.method;
  }
  in.field.reserve(field.size());
  for (const QLineF& l : field)
    in.field.push_back({figures::fromQt(l.p1()), figures::fromQt(l.p2())});
  in.start = figures::fromQt(scene.start);
  in.title = scene.title.toStdString();
  in.startName = QCoreApplication::translate("SolutionPicture", "Start").toStdString();
  painter.save();
  in.metrics = figures::textMetrics(painter);
  figures::replay(painter, figure::solutionFigure(in));
  painter.restore();
}

}  // namespace kemi::lab
