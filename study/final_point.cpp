// The store-free loop, instantiated for each method of the table so that the step is inlined
// exactly as in the run's loop.
#include "final_point.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kemi::study {
namespace {

using FinalLoop = FinalPoint (*)(double h, std::int64_t n, const std::stop_token& stop,
                                 const StepsTaken& taken);

// The steps are taken in chunks so that a sweep of a billion steps notices a stop request
// quickly; the point carries over from chunk to chunk, so the arithmetic is that of one loop.
template <StepMethod Step>
FinalPoint finalLoop(double h, std::int64_t n, const std::stop_token& stop,
                     const StepsTaken& taken) {
  // The point lives in locals, not in the result: the result's memory is the caller's, and
  // the compiler would store to it and load from it on every step.
  double x = 0.0;
  double y = -1.0;
  for (std::int64_t first = 1; first <= n; first += kStepsBetweenStopChecks) {
    if (stop.stop_requested()) return {x, y, 0, true};
    const std::int64_t last = std::min(n, first + kStepsBetweenStopChecks - 1);
    const std::int64_t failed =
        takeSteps<Step>(x, y, first, last, h, [](std::int64_t, double, double) {});
    if (failed != 0) return {x, y, failed, false};
    if (taken) taken(last);
  }
  return {x, y, 0, false};
}

template <std::size_t... I>
constexpr std::array<FinalLoop, sizeof...(I)> makeLoops(std::index_sequence<I...>) {
  return {&finalLoop<kMethods[I].step>...};
}
constexpr auto kLoops = makeLoops(std::make_index_sequence<kMethods.size()>{});

}  // namespace

FinalPoint finalPoint(std::size_t method, double x1, std::int64_t n, const std::stop_token& stop,
                      const StepsTaken& taken) {
  // The step size as the run forms it: the difference first, then the division.
  const double x0 = 0.0;
  const double h = (x1 - x0) / static_cast<double>(n);
  return kLoops.at(method)(h, n, stop, taken);
}

}  // namespace kemi::study
