// The adaptive pictures as widgets: the painting is adaptive_chart's, at the widget's size.
#include "lab/adaptive_picture.h"

#include <QPainter>
#include <utility>

namespace kemi::lab {

AdaptivePicture::AdaptivePicture(View view, const QString& name, QWidget* parent)
    : QWidget(parent), view_(view) {
  setObjectName(name);
  setAccessibleName(name);
  setMinimumSize(320, view == View::Run ? 300 : 200);
}

void AdaptivePicture::setRun(const AdaptivePictureData& data) {
  data_ = data;
  if (view_ != View::WorkPrecision) setAccessibleDescription(adaptiveDescription(data_));
  update();
}

void AdaptivePicture::setSweep(std::vector<study::AdaptiveSweepRow> adaptive,
                               std::vector<study::ConvergenceRow> fixed, std::size_t method) {
  adaptive_ = std::move(adaptive);
  fixed_ = std::move(fixed);
  data_.method = method;
  setAccessibleDescription(
      tr("%1 adaptive runs and %2 fixed-step runs: error at x1 against evaluations of f.")
          .arg(adaptive_.size())
          .arg(fixed_.size()));
  update();
}

void AdaptivePicture::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  const QRectF area(rect());
  if (view_ == View::Run && !data_.result.attempts.empty())
    paintAdaptiveRun(painter, area, data_);
  else if (view_ == View::Estimates && !data_.result.attempts.empty())
    paintEstimates(painter, area, data_);
  else if (view_ == View::WorkPrecision && !adaptive_.empty())
    paintWorkPrecision(painter, area, adaptive_, fixed_, data_.method);
}

}  // namespace kemi::lab
