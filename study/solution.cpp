// The exact solution or a reference, read at any abscissa.
#include "study/solution.h"

#include <utility>

namespace kemi::study {

Solution::Solution(const Problem& problem, std::span<const double> xs)
    : exact_(exactFunction(problem.equation, problem.x0, problem.y0)) {
  if (exact_) return;
  const auto compute = [&problem](std::span<const double> at) {
    Reference r = referenceSolution(problem, at);
    return std::pair{std::move(r.ys), r.accuracy};
  };
  reference_ = SampledReference<double>(xs, problem.x0, problem.x1, compute,
                                        slopeFunction(problem.equation));
}

double Solution::at(double x) const {
  return exact_ ? exact_(x) : reference_.at(x);
}

std::vector<double> sampleAbscissae(const Problem& problem, int count) {
  return equallySpaced(problem.x0, problem.x1, count);
}

std::vector<double> equallySpaced(double x0, double x1, int count) {
  std::vector<double> xs;
  xs.reserve(static_cast<std::size_t>(count) + 1);
  for (int i = 0; i <= count; ++i) xs.push_back(i == count ? x1 : x0 + (x1 - x0) * i / count);
  return xs;
}

}  // namespace kemi::study
