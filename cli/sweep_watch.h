// Ctrl+C for the lab's commands: a signal handler that only raises a flag, and a watch thread
// that turns the flag into a stop request for a sweep and shows the sweep's progress on a
// terminal.
#pragma once

#include <atomic>
#include <chrono>
#include <stop_token>
#include <string>
#include <thread>

namespace kemi::cli {

// Routes SIGINT and SIGTERM to a flag instead of ending the process, so that a command can drop
// its temporary output file and exit with 128 + the signal number.
void catchInterrupts();
// The signal that arrived since catchInterrupts(), or 0.
int interruptSignal();

// While it lives, requests a stop of `sweep` within about 50 ms of an interrupt and, when stderr
// is a terminal and the work has taken more than a second, keeps one progress line there, which
// it clears when it ends.
class SweepWatch {
 public:
  SweepWatch(std::stop_source sweep, const char* label);
  ~SweepWatch();
  SweepWatch(const SweepWatch&) = delete;
  SweepWatch& operator=(const SweepWatch&) = delete;

  // Share of the work done, 0 to 1; may be called from any thread.
  void setProgress(double share) { progress_.store(share, std::memory_order_relaxed); }

 private:
  void watch(const std::stop_token& stop);
  void drawProgress(std::chrono::steady_clock::time_point start);
  void clearProgress();

  std::stop_source sweep_;
  const char* label_;
  std::atomic<double> progress_{0.0};
  bool terminal_ = false;
  std::string shown_;    // the progress line on the terminal, empty when none
  std::jthread thread_;  // last: starts after the members above are set, stops first
};

}  // namespace kemi::cli
