// The scheduler: a pool of worker threads (or the calling thread alone) over the lanes' tasks,
// under one mutex. Nothing here knows what a task computes or what its result means.
#include "study/sweep_scheduler.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "study/joined_threads.h"

namespace kemi::study {

SweepScheduler::SweepScheduler(const std::vector<int>& levels, int aheadFirst, Work work)
    : work_(std::move(work)), lanes_(levels.size()) {
  for (std::size_t i = 0; i < levels.size(); ++i) {
    Lane& lane = lanes_[i];
    lane.levels = levels[i];
    lane.done.resize(static_cast<std::size_t>(levels[i]));
    lane.started.resize(static_cast<std::size_t>(levels[i]), false);
    lane.ahead = aheadFirst;
  }
}

void SweepScheduler::run(unsigned workers, const std::stop_token& stop) {
  std::stop_callback onStop(stop, [this] {
    for (Lane& lane : lanes_) lane.stop.request_stop();
  });
  if (workers == 0) {
    work(stop);
    return;
  }
  JoinedThreads pool;
  for (unsigned i = 0; i < workers; ++i)
    pool.threads.emplace_back([this, &stop] {
      if (work_.workerStarted) work_.workerStarted();
      work(stop);
    });
}

void SweepScheduler::work(const std::stop_token& stop) {
  std::unique_lock lock(mutex_);
  while (true) {
    if (stop.stop_requested()) return;
    const std::optional<std::pair<std::size_t, int>> task = pick();
    if (!task) {
      if (running_ == 0) {
        changed_.notify_all();
        return;
      }
      changed_.wait(lock);
      continue;
    }
    const auto [i, level] = *task;
    Lane& lane = lanes_[i];
    lane.started[static_cast<std::size_t>(level)] = true;
    ++running_;
    const std::stop_token laneStop = lane.stop.get_token();
    lock.unlock();
    double counted = 0.0;  // this task's work in runningWork_ so far
    const std::function<void(double)> done = [&](double work) {
      const std::scoped_lock chunk(mutex_);
      runningWork_ += work - counted;
      counted = work;
      reportProgress();
    };
    const FinalPoint point = work_.run(i, level, laneStop, done);
    lock.lock();
    --running_;
    runningWork_ -= counted;
    if (!point.cancelled) finish(i, level, point);
    changed_.notify_all();
  }
}

// The largest task any lane may start now, where a lane's smallest open task counts as large as
// its largest task that waits for levels to be taken: it is on the way to that one, and cheap.
std::optional<std::pair<std::size_t, int>> SweepScheduler::pick() const {
  std::optional<std::pair<std::size_t, int>> best;
  double bestPriority = -1.0;
  const auto consider = [&](std::size_t i, int level, double priority) {
    if (priority > bestPriority) {
      best = {i, level};
      bestPriority = priority;
    }
  };
  for (std::size_t i = 0; i < lanes_.size(); ++i) {
    const Lane& lane = lanes_[i];
    if (lane.ended) continue;
    const int limit = std::min(lane.levels, lane.taken + lane.ahead);
    int low = -1;
    int high = -1;
    for (int k = lane.taken; k < limit; ++k) {
      if (lane.started[static_cast<std::size_t>(k)]) continue;
      low = low < 0 ? k : low;
      high = k;
    }
    if (high < 0) continue;
    consider(i, high, work_.cost(i, high));
    if (limit < lane.levels) consider(i, low, work_.cost(i, lane.levels - 1));
  }
  return best;
}

// Records a finished task, then hands the lane every result whose smaller levels are all in.
void SweepScheduler::finish(std::size_t i, int level, const FinalPoint& point) {
  Lane& lane = lanes_[i];
  if (lane.ended) return;
  lane.done[static_cast<std::size_t>(level)] = point;
  while (!lane.ended && lane.taken < lane.levels &&
         lane.done[static_cast<std::size_t>(lane.taken)]) {
    const int k = lane.taken;
    done_ += work_.cost(i, k);
    const std::optional<int> ahead = work_.take(i, k, *lane.done[static_cast<std::size_t>(k)]);
    ++lane.taken;
    if (ahead) {
      lane.ahead = *ahead;
    } else {
      lane.ended = true;
      lane.stop.request_stop();
    }
  }
  reportProgress();
}

// The cost of the taken levels and of the running tasks so far, against that and all that a
// lane that goes on may still need. Never reported smaller than before: work counted in a task
// that is then dropped does not take the bar back.
void SweepScheduler::reportProgress() {
  if (!work_.progress) return;
  double remaining = 0.0;
  for (std::size_t i = 0; i < lanes_.size(); ++i)
    for (int k = lanes_[i].taken; k < lanes_[i].levels && !lanes_[i].ended; ++k)
      remaining += work_.cost(i, k);
  const double all = done_ + remaining;
  const double share = all > 0.0 ? std::min(1.0, (done_ + runningWork_) / all) : 1.0;
  if (share > reported_) {
    reported_ = share;
    work_.progress(share);
  }
}

}  // namespace kemi::study
