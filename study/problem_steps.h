// Steps on any problem: the store-free loop to x1 (for sweeps), every point of one method
// (the polygon a picture of all methods needs) and the step table. The method and the equation
// are picked once; each loop is an instantiation with the formula and f inlined.
#pragma once

#include <cstdint>
#include <stop_token>
#include <vector>

#include "study/final_point.h"
#include "study/problem.h"

namespace kemi::study {

// N steps of h = (x1 - x0) / N of kMethods[method] from (x0, y0), keeping the last point. For
// classroom from (0, -1) the same numbers as the run's tables at N.
FinalPoint finalPoint(const Problem& problem, std::size_t method, std::int64_t n,
                      const std::stop_token& stop = {}, const StepsTaken& taken = {});

// Every point of N steps: x[0], y[0] is the start. A step that leaves the double range ends it
// (failedStep says which; its point is not kept).
struct Polygon {
  std::size_t method = 0;
  std::vector<double> x;
  std::vector<double> y;
  std::int64_t failedStep = 0;
};
inline constexpr std::int64_t kMaxPolygonSteps = 1000000;
// Throws std::invalid_argument for n outside 1..kMaxPolygonSteps.
Polygon polygon(const Problem& problem, std::size_t method, std::int64_t n);

}  // namespace kemi::study
