// Stability on any equation: lambda(x) = df/dy along the solution from x0 to x1. Where lambda is
// negative a method's step must stay below its stability limit on y' = -y divided by |lambda|;
// where lambda >= 0 everywhere no step size is unstable in that sense.
#pragma once

#include <cstdint>
#include <vector>

#include "study/problem.h"
#include "study/solution.h"
#include "study/stability.h"

namespace kemi::study {

inline constexpr int kLambdaSamples = 256;

struct LambdaRange {
  double lambdaMin = 0.0;  // the most negative df/dy on [x0, x1] (the smallest, if none is)
  double x = 0.0;          // where it was found
};
// df/dy at kLambdaSamples + 1 points of the solution.
LambdaRange lambdaRange(const Problem& problem, const Solution& solution);

// The largest stable step for a method with stability limit `limit` on y' = -y: limit / |lambda|,
// infinite when lambdaMin >= 0.
double stepLimit(double limit, double lambdaMin);
// The smallest N whose step (x1 - x0) / N is within hLimit; 0 when hLimit is infinite.
std::int64_t smallestStableN(const Problem& problem, double hLimit);

struct ProblemStabilityRow {
  StabilityRow method;     // order, evaluations and the limit on y' = -y
  double lambdaMin = 0.0;  // as in LambdaRange
  double hLimit = 0.0;     // infinite: no limit
  std::int64_t nMin = 0;   // 0: no limit
};
// Throws what checkProblem and Solution throw.
std::vector<ProblemStabilityRow> problemStabilityRows(const Problem& problem,
                                                      const std::vector<std::size_t>& methods);

}  // namespace kemi::study
