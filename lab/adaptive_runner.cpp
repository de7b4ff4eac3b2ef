// The adaptive runner: the study's run or sweeps on a pool thread, their result handed to the
// user-interface thread by a future watcher.
#include "lab/adaptive_runner.h"

#include <QtConcurrent/QtConcurrentRun>
#include <exception>
#include <utility>

namespace kemi::lab {

AdaptiveRunner::AdaptiveRunner(QObject* parent) : QObject(parent) {}

AdaptiveRunner::~AdaptiveRunner() {
  if (watcher_ == nullptr) return;
  stop_.request_stop();
  watcher_->disconnect(this);
  watcher_->waitForFinished();
}

void AdaptiveRunner::startRun(const study::Problem& problem,
                              const study::AdaptiveSettings& settings) {
  launch([problem, settings](const std::stop_token& stop) {
    AdaptiveWork work;
    work.problem = problem;
    work.run = study::runAdaptive(problem, settings, stop);
    work.cancelled = work.run.end == study::AdaptiveEnd::Cancelled;
    return work;
  });
}

// The tolerance sweep first; the fixed-step sweep only when it was not cancelled.
void AdaptiveRunner::startSweep(const study::Problem& problem, std::size_t method,
                                std::int64_t fixedMaxN) {
  launch([problem, method, fixedMaxN](const std::stop_token& stop) {
    AdaptiveWork work;
    work.sweep = true;
    work.problem = problem;
    work.adaptive = study::adaptiveSweep(problem, {method}, stop);
    work.cancelled = work.adaptive.cancelled;
    if (work.cancelled) return work;
    study::ConvergenceSettings fixed;
    fixed.maxN = fixedMaxN;
    fixed.methods = {method};
    study::ConvergenceResult result = study::runConvergence(problem, fixed, stop);
    work.fixed = std::move(result.rows);
    work.cancelled = result.cancelled;
    return work;
  });
}

void AdaptiveRunner::launch(std::function<AdaptiveWork(const std::stop_token&)> work) {
  discard();
  stop_ = std::stop_source();
  watcher_ = new QFutureWatcher<AdaptiveWork>(this);
  connect(watcher_, &QFutureWatcherBase::finished, this, [this] {
    const AdaptiveWork done = watcher_->result();
    discard();
    emit finished(done);
  });
  const auto guarded = [work = std::move(work)](const std::stop_token& stop) {
    try {
      return work(stop);
    } catch (const std::exception& e) {
      AdaptiveWork refused;
      refused.error = QString::fromUtf8(e.what());
      return refused;
    }
  };
  watcher_->setFuture(QtConcurrent::run(guarded, stop_.get_token()));
}

void AdaptiveRunner::cancel() {
  stop_.request_stop();
}

// Stops the work under way and lets it finish on its own, its result unread.
void AdaptiveRunner::discard() {
  if (watcher_ == nullptr) return;
  stop_.request_stop();
  watcher_->disconnect(this);
  if (watcher_->isFinished())
    watcher_->deleteLater();
  else
    connect(watcher_, &QFutureWatcherBase::finished, watcher_, &QObject::deleteLater);
  watcher_ = nullptr;
}

}  // namespace kemi::lab
