// Runs a convergence sweep (of one equation or of a system) off the user-interface thread
// (QtConcurrent with a QPromise) and hands its rows, progress and end to the widgets through queued
// signals. Cancel stops the study's workers through their stop token and lets no further row
// through at once.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <memory>
#include <stop_token>

#include "study/convergence.h"
#include "study/system_convergence.h"

namespace kemi::lab {

class SweepRunner : public QObject {
  Q_OBJECT

 public:
  explicit SweepRunner(QObject* parent = nullptr);
  ~SweepRunner() override;

  // The sweep on `problem` (its x1 is settings.x1).
  void start(const study::Problem& problem, const study::ConvergenceSettings& settings);
  // The sweep on a system: its rows come together at the end, in systemResult().
  void startSystem(const study::SystemProblem& problem, const study::ConvergenceSettings& settings);
  void cancel();
  bool running() const { return watcher_ != nullptr; }
  // The last system sweep that finished without Cancel.
  const study::SystemConvergenceResult& systemResult() const { return systemResult_; }

 signals:
  void started();
  void rowReady(const kemi::study::ConvergenceRow& row);
  void progressChanged(int permille);  // 0 to 1000
  // After the last row: `note` names the methods that ended early and why, or the error.
  void finished(bool cancelled, const QString& note);

 private:
  struct Outcome;
  void watch();
  void detach();
  void onFinished();

  QFutureWatcher<study::ConvergenceRow>* watcher_ = nullptr;
  std::stop_source stop_;
  std::shared_ptr<Outcome> outcome_;
  study::SystemConvergenceResult systemResult_;
};

}  // namespace kemi::lab
