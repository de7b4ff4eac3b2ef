// Runs the adaptive tab's work off the user-interface thread: one adaptive run, or the
// tolerance sweep beside the fixed-step sweep. Cancel stops the study loop through its stop
// token; the work then ends with what it had done and is delivered like finished work.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <functional>
#include <stop_token>
#include <vector>

#include "study/adaptive.h"
#include "study/adaptive_sweep.h"
#include "study/convergence.h"

namespace kemi::lab {

struct AdaptiveWork {
  bool sweep = false;
  study::Problem problem;                    // the equation and interval the work ran on
  study::AdaptiveResult run;                 // an adaptive run: the attempts so far when cancelled
  study::AdaptiveSweep adaptive;             // a comparison: the tolerance sweep's rows ...
  std::vector<study::ConvergenceRow> fixed;  // ... and the fixed-step sweep's
  bool cancelled = false;
  QString error;  // what the study refused
};

class AdaptiveRunner : public QObject {
  Q_OBJECT

 public:
  explicit AdaptiveRunner(QObject* parent = nullptr);
  ~AdaptiveRunner() override;

  // Each start drops the work under way without delivering it.
  void startRun(const study::Problem& problem, const study::AdaptiveSettings& settings);
  void startSweep(const study::Problem& problem, std::size_t method, std::int64_t fixedMaxN);
  void cancel();   // the work ends within an attempt or two and is delivered as cancelled
  void discard();  // the work is stopped and never delivered
  bool running() const { return watcher_ != nullptr; }

 signals:
  void finished(const kemi::lab::AdaptiveWork& work);

 private:
  void launch(std::function<AdaptiveWork(const std::stop_token&)> work);

  QFutureWatcher<AdaptiveWork>* watcher_ = nullptr;
  std::stop_source stop_;
};

}  // namespace kemi::lab
