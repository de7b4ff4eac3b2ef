// The calculation run: entries, step size, exact table, integration, report and plot, in this
// order. Every stop throws RunStopped at the point of failure; what was done before it stays.
#include "core/calculation.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <new>

#include "core/entry_reader.h"
#include "core/number_format.h"
#include "core/vector_state.h"

namespace kemi {
namespace {

// Room the rest of the system keeps when a table is sized against the free memory.
constexpr std::uint64_t kMemoryHeadroom = std::uint64_t{64} << 20;

double readOrStop(const std::string& text, const char* name) {
  const std::optional<double> value = readEntry(text);
  if (!value)
    throw RunStopped(std::string(name) + " holds a number beyond the range of a double: enter " +
                     name + " between -1.7E+308 and 1.7E+308.");
  return *value;
}

std::string gigabytes(std::uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f GB", static_cast<double>(bytes) / 1e9);
  return text;
}

// Rounds a real used as a table index to the nearest integer, ties to even.
double indexRounded(double value) {
  return std::nearbyint(value);
}

}  // namespace

RunResult Calculation::run(const Entries& entries, const MethodInfo& method, RunView& view) {
  try {
    double x0 = readOrStop(entries.x0, "x0");
    double y0 = readOrStop(entries.y0, "y0");
    double x1 = readOrStop(entries.x1, "x1");
    const double n = readOrStop(entries.N, "N");
    N_ = n;
    if (N_ == 0.0) throw RunStopped("N must not be 0: enter a number of steps of 1 or more.");
    double h = stepSize(x0, x1, N_);
    if (!std::isfinite(h))
      throw RunStopped(
          "The step size (x1 - x0) / N is beyond the range of a double: enter a "
          "larger N or an x1 closer to x0.");
    view.showStepSize(formatGeneral(h));
    Analytical(exact_, x0, x1);
    Numerical(x0, y0, h, method, view);
    if (std::optional<std::string> cause = view.redraw(*this, x0, x1)) return {false, *cause};
    return {true, {}};
  } catch (const RunStopped& stop) {
    return {false, stop.what()};
  }
}

void Calculation::Numerical(double& x0, double& y0, const double& h, const MethodInfo& method,
                            RunView& view) {
  const double sizeIndex = indexRounded(N_ + 1.0);
  if (sizeIndex < 0.0 || indexRounded(N_) < 0.0)
    throw RunStopped("N must not be negative: enter a number of steps of 1 or more.");
  if (sizeIndex > std::numeric_limits<std::int32_t>::max())
    throw RunStopped(
        "N is too large: the tables hold at most 2147483646 steps; enter a smaller "
        "N.");
  // Steps i = 1, 2, ... while i <= N; the tables have indexes 0 to N + 1 rounded.
  const auto steps = N_ >= 1.0 ? static_cast<std::int64_t>(std::floor(N_)) : std::int64_t{0};
  const auto size = static_cast<std::size_t>(sizeIndex) + 1;
  const auto written = static_cast<std::size_t>(steps) + 1;

  const std::uint64_t needed = std::uint64_t{2} * size * sizeof(double);
  std::optional<std::uint64_t> available;
  const auto memoryCause = [&] {
    return "N = " + formatGeneral(N_) + " steps need " + gigabytes(needed) +
           " of memory for the tables" +
           (available ? ", but only " + gigabytes(*available) + " are free" : std::string()) +
           ": enter a smaller N.";
  };
  if (!table_.holds(size)) {
    // The previous tables go first, so that their memory counts as free.
    table_.release();
    available = freeMemory_();
    if (available && needed + kMemoryHeadroom > *available) throw RunStopped(memoryCause());
  }
  try {
    if (!table_.create(size, written)) throw std::bad_alloc();
  } catch (const std::bad_alloc&) {
    throw RunStopped(memoryCause());
  }
  last_ = 0;
  ranges_ = {};

  double* X = table_.X();
  double* Y = table_.Y();
  X[0] = x0;
  Y[0] = y0;
  clearUpperVectorState();
  if (const std::int64_t failed = method.loop(X, Y, steps, h, ranges_); failed != 0) {
    table_.clear(static_cast<std::size_t>(failed), written);
    throw RunStopped("At step " + std::to_string(failed) +
                     " (x = " + formatGeneral(X[failed - 1] + h) + ") the solution of the " +
                     std::string(method.reportName) +
                     " left the range of a double: enter a larger N or an x1 closer to x0.");
  }
  last_ = steps;
  // The run's x0 and y0 end as the start of the last step, as they do when stepped by hand.
  if (steps > 0) {
    x0 = X[steps - 1];
    y0 = Y[steps - 1];
  }

  const int npt = exact_.npt;
  const double error = exact_.YA[npt] - Y[last_];
  if (!std::isfinite(error))
    throw RunStopped(
        "The error YA - Y is beyond the range of a double: enter a larger N or an "
        "x1 closer to x0.");
  // All four lines are formed before the first is shown, so a run adds four or none.
  view.appendLines({
      formatF4(X[last_]) + "    " + formatF8(Y[last_]) + std::string(method.reportName),
      formatF4(exact_.XA[npt]) + "    " + formatF8(exact_.YA[npt]) + "Analytical",
      formatF4(exact_.XA[npt]) + "    " + formatF8(error) + "Error",
      " ",
  });
}

}  // namespace kemi
