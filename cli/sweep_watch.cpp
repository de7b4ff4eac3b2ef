// The interrupt flag, its handler and the watch thread that polls it.
#include "cli/sweep_watch.h"

#include <unistd.h>

#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <mutex>
#include <string>
#include <utility>

namespace kemi::cli {
namespace {

// Lock-free, so that the handler may store into it.
std::atomic<int> gSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void onInterrupt(int signal) {
  gSignal.store(signal, std::memory_order_relaxed);
}

constexpr auto kPollInterval = std::chrono::milliseconds(50);
constexpr auto kQuietTime = std::chrono::seconds(1);

void writeError(const std::string& text) {
  // Straight to the descriptor: the progress line must not wait in a stdio buffer.
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(STDERR_FILENO, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace

void catchInterrupts() {
  struct sigaction action {};
  action.sa_handler = &onInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

int interruptSignal() {
  return gSignal.load(std::memory_order_relaxed);
}

SweepWatch::SweepWatch(std::stop_source sweep, const char* label)
    : sweep_(std::move(sweep)),
      label_(label),
      terminal_(::isatty(STDERR_FILENO) == 1),
      thread_([this](const std::stop_token& stop) { watch(stop); }) {}

SweepWatch::~SweepWatch() {
  thread_.request_stop();
  thread_.join();
  clearProgress();
}

void SweepWatch::watch(const std::stop_token& stop) {
  const auto start = std::chrono::steady_clock::now();
  std::mutex mutex;
  std::condition_variable_any wake;
  std::unique_lock lock(mutex);
  while (!stop.stop_requested()) {
    if (interruptSignal() != 0) sweep_.request_stop();
    if (terminal_) drawProgress(start);
    // Returns at once when the watch is asked to end.
    wake.wait_for(lock, stop, kPollInterval, [] { return false; });
  }
}

void SweepWatch::drawProgress(std::chrono::steady_clock::time_point start) {
  const auto elapsed = std::chrono::steady_clock::now() - start;
  if (elapsed < kQuietTime) return;
  const double share = progress_.load(std::memory_order_relaxed);
  const int percent = share <= 0.0 ? 0 : share >= 1.0 ? 100 : static_cast<int>(share * 100.0);
  // The seconds show that a long task is still under way while the share waits for it.
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
  const std::string line = std::string(label_) + ": " + std::to_string(percent) + "% done, " +
                           std::to_string(seconds) + " s (Ctrl+C stops)";
  if (line == shown_) return;
  writeError("\r" + line +
             std::string(shown_.size() > line.size() ? shown_.size() - line.size() : 0, ' '));
  shown_ = line;
}

void SweepWatch::clearProgress() {
  if (shown_.empty()) return;
  std::string blank(shown_.size() + 2, ' ');
  blank.front() = '\r';
  blank.back() = '\r';
  writeError(blank);
  shown_.clear();
}

}  // namespace kemi::cli
