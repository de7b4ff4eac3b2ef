// The convergence chart: |error| against h (or against f evaluations, the work-precision view)
// on logarithmic axes, one line and one marker series per method, dashed reference lines of
// order 1, 2, 4 and 5, all filled from the convergence model as its rows arrive: at most every
// kRefillMs while they stream in, so that a burst of rows costs the window one redraw.
#pragma once

#include <QList>
#include <QObject>
#include <QPointF>
#include <array>

#include "core/method_table.h"
#include "lab/convergence_model.h"

class QChart;
class QLineSeries;
class QLogValueAxis;
class QScatterSeries;
class QTimer;

namespace kemi::lab {

class ConvergenceChart : public QObject {
  Q_OBJECT

 public:
  // The chart belongs to whoever takes it (a QChartView); it must outlive this object's use.
  explicit ConvergenceChart(const ConvergenceModel* model, QObject* parent = nullptr);

  static constexpr int kRefillMs = 250;

  QChart* chart() const { return chart_; }
  // Draws every row the model holds now (the tab calls it when a sweep ends or is cancelled).
  void refillNow();
  void setWorkPrecision(bool on);
  bool workPrecision() const { return workPrecision_; }
  // Points drawn for a method, and its rows left out because their error is exactly 0.
  int pointCount(std::size_t method) const;
  int zeroRows(std::size_t method) const { return zeroRows_[method]; }
  // The text the tooltip shows for a method's point at this x, empty when no row has it.
  QString pointText(std::size_t method, double x) const;

 signals:
  void refilled();

 private:
  void refill();
  void updateAxes(const std::array<QList<QPointF>, kMethodCount>& points);
  double xOf(const study::ConvergenceRow& row) const;

  const ConvergenceModel* model_;
  QChart* chart_;
  QLogValueAxis* xAxis_;
  QLogValueAxis* yAxis_;
  std::array<QLineSeries*, kMethodCount> lines_{};
  std::array<QScatterSeries*, kMethodCount> markers_{};
  std::array<QLineSeries*, 4> references_{};
  std::array<int, kMethodCount> zeroRows_{};
  bool workPrecision_ = false;
  QTimer* refillTimer_;
};

}  // namespace kemi::lab
