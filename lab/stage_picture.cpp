// The stage picture: the step and its texts here, the drawing in the layer
// (plot/figure/stage_figure.h), as on the lab page.
#include "lab/stage_picture.h"

#include <QPainter>
#include <cmath>

#include "core/method_table.h"
#include "figures/command_painter.h"
#include "figures/figure_painter.h"
#include "plot/figure/description.h"
#include "plot/figure/stage_figure.h"
#include "study/step_solution.h"

namespace kemi::lab {
namespace {

QString number(double value) {
  return QString::number(value, 'g', 6);
}

QString pointText(QPointF p) {
  return QStringLiteral("(%1, %2)").arg(number(p.x()), number(p.y()));
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
    const study::StepSolution through = study::stepSolution(equation, before.x, before.y, after.x);
    solution_.clear();
    figure::Polyline curve;
    for (std::size_t i = 0; i < through.ys.size(); ++i) {
      solution_ << QPointF(through.xs[i], through.ys[i]);
      curve.push_back({through.xs[i], through.ys[i]});
    }
    reference_ = through.reference;
    const figure::ViewBox box =
        figure::stageBox(figures::fromQt(start_), figures::fromQt(end_), estimate_, stages_, curve);
    xMin_ = box.xMin;
    xMax_ = box.xMax;
    yMin_ = box.yMin;
    yMax_ = box.yMax;
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
  return {{xMin_, xMax_, yMin_, yMax_}, figure::stagePlot(width(), height())};
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
  figure::StageFigureInput in;
  in.width = width();
  in.height = height();
  in.title = title().toStdString();
  in.shown = step_ != 0;
  in.method = method_;
  in.start = figures::fromQt(start_);
  in.end = figures::fromQt(end_);
  in.estimate = estimate_;
  in.stages = stages_;
  for (const QPointF& p : solution_) in.solution.push_back(figures::fromQt(p));
  in.reference = reference_;
  in.box = {xMin_, xMax_, yMin_, yMax_};
  in.legend = {(reference_ ? tr("reference through the start") : tr("exact through the start"))
                   .toStdString(),
               tr("stage slopes").toStdString(), tr("the step").toStdString()};
  in.metrics = figures::textMetrics(painter);
  figures::replay(painter, figure::stageFigure(in));
}

}  // namespace kemi::lab
