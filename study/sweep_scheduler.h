// Runs a sweep's tasks: lanes (one per method) of levels 0, 1, 2, ..., each level a task whose
// result the lane takes in order of level. Workers take the largest task they may start; a lane
// may run only some levels past its last taken one (speculation), and once it ends, its running
// tasks are stopped and their results dropped, so what the lanes take does not depend on the
// scheduling. With no worker threads every task runs on the calling thread.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <utility>
#include <vector>

#include "study/final_point.h"

namespace kemi::study {

class SweepScheduler {
 public:
  struct Work {
    // A task's cost: the largest runs first, and progress is counted in it.
    std::function<double(std::size_t lane, int level)> cost;
    // Runs a task, off the scheduler's lock; `stop` ends it early (its point then says
    // cancelled). done(cost so far) may be called as it goes, for progress.
    std::function<FinalPoint(std::size_t lane, int level, const std::stop_token& stop,
                             const std::function<void(double)>& done)>
        run;
    // A lane's next result, in order of level, under the lock: returns how many levels past
    // this one the lane may run now, or std::nullopt when the lane ends here.
    std::function<std::optional<int>(std::size_t lane, int level, const FinalPoint& point)> take;
    // Share of the work done, 0 to 1, never smaller than before, one call at a time.
    std::function<void(double)> progress;
    // On each worker thread as it starts, before it takes a task.
    std::function<void()> workerStarted;
  };

  // levels[lane] tasks per lane; a lane may run `aheadFirst` levels before it takes any.
  SweepScheduler(const std::vector<int>& levels, int aheadFirst, Work work);

  // Runs until every lane ended or took its last level, or `stop` is requested. workers == 0
  // runs every task on the calling thread.
  void run(unsigned workers, const std::stop_token& stop);

 private:
  struct Lane {
    int levels = 0;
    std::vector<std::optional<FinalPoint>> done;
    std::vector<bool> started;
    int taken = 0;  // levels 0 .. taken-1 are taken
    bool ended = false;
    int ahead = 0;
    std::stop_source stop;
  };

  void work(const std::stop_token& stop);
  std::optional<std::pair<std::size_t, int>> pick() const;
  void finish(std::size_t i, int level, const FinalPoint& point);
  void reportProgress();

  Work work_;
  std::vector<Lane> lanes_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int running_ = 0;
  double done_ = 0.0;         // cost of the levels taken
  double runningWork_ = 0.0;  // cost done so far by tasks still running
  double reported_ = 0.0;
};

}  // namespace kemi::study
