// The region picture: the plane, the masks and the texts here, the drawing in the layer.
#include "figures/region_picture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>
#include <limits>

#include "core/method_table.h"
#include "figures/command_painter.h"
#include "figures/figure_painter.h"
#include "plot/figure/description.h"
#include "plot/figure/region_figure.h"
#include "plot/figure/view.h"
#include "study/stability.h"
#include "study/text_table.h"

namespace kemi::lab {
namespace {

QString idOf(std::size_t method) {
  return QString::fromLatin1(kMethods[method].id.data(),
                             static_cast<qsizetype>(kMethods[method].id.size()));
}

QString numberText(double value) {
  return QString::fromStdString(study::shortestText(value));
}

}  // namespace

RegionPicture::RegionPicture() : lambda_(std::numeric_limits<double>::quiet_NaN()), h_(lambda_) {
  for (std::size_t m = 0; m < kMethods.size(); ++m) limits_.push_back(study::stabilityLimit(m));
}

void RegionPicture::setMethods(const std::vector<std::size_t>& methods) {
  methods_ = methods;
  masks_.clear();
  relayout();
}

void RegionPicture::setStepPoint(double lambda, double h) {
  lambda_ = lambda;
  h_ = h;
  relayout();
}

void RegionPicture::setSize(QSize size) {
  size_ = size;
  relayout();
}

QString RegionPicture::title() const {
  return tr("Stability regions |R(z)| <= 1 in the complex plane, z = h·λ");
}

QString RegionPicture::pointText() const {
  figure::RegionFacts facts;
  for (const std::size_t m : methods_) facts.methods.emplace_back(kMethods[m].id);
  const double z = lambda_ * h_;
  facts.marked = std::isfinite(z);
  if (facts.marked) {
    facts.z = study::shortestText(z);
    facts.h = study::shortestText(h_);
    facts.lambda = study::shortestText(lambda_);
    facts.rightHalf = z > 0.0;
    for (const std::size_t m : methods_)
      (study::stableAt(m, {z, 0.0}) ? facts.stable : facts.unstable).emplace_back(kMethods[m].id);
  }
  return QString::fromStdString(figure::regionDescription(facts));
}

QPointF RegionPicture::toPixel(study::Complex z) const {
  const figure::Transform t({grid_.reMin, grid_.reMax, grid_.imMin, grid_.imMax},
                            figures::fromQt(plot_));
  return figures::toQt(t.toPixel(z.real(), z.imag()));
}

// The plane as the layer lays it out; the masks are evaluated again only when it changes.
void RegionPicture::relayout() {
  const figure::RegionPlane plane =
      figure::regionPlane(size_.width(), size_.height(), lambda_ * h_);
  plot_ = figures::toQt(plane.plot);
  if (!plane.usable()) return;
  const study::PlaneGrid grid{plane.box.xMin, plane.box.xMax, plane.box.yMin,
                              plane.box.yMax, plane.columns,  plane.rows};
  const bool same = grid.reMin == grid_.reMin && grid.reMax == grid_.reMax &&
                    grid.imMax == grid_.imMax && grid.width == grid_.width &&
                    grid.height == grid_.height;
  if (same) return;
  grid_ = grid;
  masks_.clear();
}

void RegionPicture::paint(QPainter& painter) {
  figure::RegionFigureInput in;
  in.width = size_.width();
  in.height = size_.height();
  in.plane = figure::regionPlane(in.width, in.height, lambda_ * h_);
  in.plane.box = {grid_.reMin, grid_.reMax, grid_.imMin, grid_.imMax};
  if (grid_.width != in.plane.columns || grid_.height != in.plane.rows) in.plane.columns = 0;
  if (in.plane.usable() && masks_.empty())
    for (const std::size_t m : methods_) masks_.push_back(study::regionMask(m, grid_));
  in.methods = methods_;
  in.masks = masks_;
  for (const std::size_t m : methods_) {
    in.limits.push_back(limits_[m]);
    in.names.push_back(
        tr("%1 (limit %2)").arg(idOf(m), QString::number(limits_[m], 'g', 5)).toStdString());
  }
  in.z = lambda_ * h_;
  in.title = title().toStdString();
  in.reLabel = tr("Re z").toStdString();
  in.imLabel = tr("Im z").toStdString();
  in.pointText = tr("h·λ = %1").arg(numberText(in.z)).toStdString();
  in.stepText = tr("(h = %1, λ = %2)").arg(numberText(h_), numberText(lambda_)).toStdString();
  in.metrics = figures::textMetrics(painter);
  figures::replay(painter, figure::regionFigure(in));
}

}  // namespace kemi::lab
