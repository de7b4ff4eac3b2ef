// The sweep runner: runConvergence or runSystemConvergence on a pool thread, its row and progress
// callbacks feeding a QPromise whose watcher delivers them on the user-interface thread.
#include "lab/sweep_runner.h"

#include <sys/resource.h>
#include <unistd.h>

#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>
#include <exception>
#include <utility>

#include "study/system_methods.h"

namespace kemi::lab {

// What only the end of the run knows; written by the pool thread before the future finishes.
struct SweepRunner::Outcome {
  study::ConvergenceResult result;
  study::SystemConvergenceResult system;
  QString error;
};

namespace {

QString endNote(const std::vector<study::MethodEnd>& ends) {
  QStringList parts;
  for (const study::MethodEnd& end : ends) {
    const std::string_view name = study::systemMethodId(end.method);
    const auto id = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (!end.cause.empty())
      parts << SweepRunner::tr("%1 stopped after N = %2: %3")
                   .arg(id)
                   .arg(end.lastN)
                   .arg(QString::fromStdString(end.cause));
    else if (end.roundingFloor)
      parts
          << SweepRunner::tr("%1 reached its rounding floor (last N = %2)").arg(id).arg(end.lastN);
  }
  return parts.join(QStringLiteral("; "));
}

// The workers take every core; at a lower priority they leave the window's thread the
// moments it needs to paint and answer the user.
void lowerPriority() {
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
}

}  // namespace

SweepRunner::SweepRunner(QObject* parent) : QObject(parent) {}

SweepRunner::~SweepRunner() {
  if (watcher_ == nullptr) return;
  stop_.request_stop();
  watcher_->disconnect(this);
  watcher_->waitForFinished();
}

// A new watcher for the next run, its rows, progress and end wired to the signals.
void SweepRunner::watch() {
  cancel();
  stop_ = std::stop_source();
  outcome_ = std::make_shared<Outcome>();
  watcher_ = new QFutureWatcher<study::ConvergenceRow>(this);
  connect(watcher_, &QFutureWatcherBase::resultsReadyAt, this, [this](int begin, int end) {
    for (int i = begin; i < end; ++i) emit rowReady(watcher_->resultAt(i));
  });
  connect(watcher_, &QFutureWatcherBase::progressValueChanged, this, &SweepRunner::progressChanged);
  connect(watcher_, &QFutureWatcherBase::finished, this, &SweepRunner::onFinished);
}

void SweepRunner::start(const study::Problem& problem, const study::ConvergenceSettings& settings) {
  watch();

  const auto work = [](QPromise<study::ConvergenceRow>& promise, const study::Problem& problem,
                       const study::ConvergenceSettings& settings, const std::stop_token& stop,
                       const std::shared_ptr<Outcome>& outcome) {
    promise.setProgressRange(0, 1000);
    study::SweepCallbacks callbacks;
    callbacks.row = [&promise](const study::ConvergenceRow& row) { promise.addResult(row); };
    callbacks.progress = [&promise](double share) {
      promise.setProgressValue(static_cast<int>(share * 1000.0));
    };
    callbacks.workerStarted = lowerPriority;
    try {
      outcome->result = study::runConvergence(problem, settings, stop, callbacks);
    } catch (const std::exception& e) {
      outcome->error = QString::fromUtf8(e.what());
    }
  };
  watcher_->setFuture(QtConcurrent::run(work, problem, settings, stop_.get_token(), outcome_));
  emit started();
}

// The system sweep: its workers, started from the pool thread, inherit its lower priority.
void SweepRunner::startSystem(const study::SystemProblem& problem,
                              const study::ConvergenceSettings& settings) {
  watch();
  const auto work = [](QPromise<study::ConvergenceRow>& promise,
                       const study::SystemProblem& problem,
                       const study::ConvergenceSettings& settings, const std::stop_token& stop,
                       const std::shared_ptr<Outcome>& outcome) {
    promise.setProgressRange(0, 1000);
    lowerPriority();
    try {
      outcome->system = study::runSystemConvergence(
          problem, settings, stop,
          [&promise](double share) { promise.setProgressValue(static_cast<int>(share * 1000.0)); });
    } catch (const std::exception& e) {
      outcome->error = QString::fromUtf8(e.what());
    }
  };
  watcher_->setFuture(QtConcurrent::run(work, problem, settings, stop_.get_token(), outcome_));
  emit started();
}

// The workers see the stop token within a few milliseconds; their remaining rows are not
// shown, so the chart and table keep exactly the rows that had arrived.
void SweepRunner::cancel() {
  if (watcher_ == nullptr) return;
  stop_.request_stop();
  detach();
  emit finished(true, QString());
}

// Lets a stopped run finish on its own and delete its watcher then.
void SweepRunner::detach() {
  watcher_->disconnect(this);
  if (watcher_->isFinished()) {
    watcher_->deleteLater();
  } else {
    connect(watcher_, &QFutureWatcherBase::finished, watcher_, &QObject::deleteLater);
  }
  watcher_ = nullptr;
}

void SweepRunner::onFinished() {
  const std::shared_ptr<Outcome> outcome = outcome_;
  detach();
  systemResult_ = std::move(outcome->system);
  QString note = outcome->error;
  if (note.isEmpty()) note = endNote(outcome->result.ends) + endNote(systemResult_.ends);
  emit finished(outcome->result.cancelled || systemResult_.cancelled, note);
}

}  // namespace kemi::lab
