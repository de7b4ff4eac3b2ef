// A widget that shows one of the adaptive run's pictures, painted from the run it was given.
#pragma once

#include <QWidget>
#include <vector>

#include "figures/adaptive_chart.h"

namespace kemi::lab {

class AdaptivePicture : public QWidget {
  Q_OBJECT

 public:
  enum class View { Run, Estimates, WorkPrecision };
  AdaptivePicture(View view, const QString& name, QWidget* parent = nullptr);

  void setRun(const AdaptivePictureData& data);
  void setSweep(std::vector<study::AdaptiveSweepRow> adaptive,
                std::vector<study::ConvergenceRow> fixed, std::size_t method);
  const AdaptivePictureData& run() const { return data_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  View view_;
  AdaptivePictureData data_;
  std::vector<study::AdaptiveSweepRow> adaptive_;
  std::vector<study::ConvergenceRow> fixed_;
};

}  // namespace kemi::lab
