// The exact solution or a reference, read at any abscissa.
#include "study/solution.h"

#include <algorithm>
#include <cmath>

namespace kemi::study {

Solution::Solution(const Problem& problem, std::span<const double> xs)
    : exact_(exactFunction(problem.equation, problem.x0, problem.y0)) {
  if (exact_) return;
  std::vector<double> at(xs.begin(), xs.end());
  at.push_back(problem.x1);
  // In the order of integration, from x0 towards x1.
  const bool up = problem.x1 > problem.x0;
  std::sort(at.begin(), at.end(), [up](double a, double b) { return up ? a < b : a > b; });
  at.erase(std::unique(at.begin(), at.end()), at.end());
  const Reference r = referenceSolution(problem, at);
  accuracy_ = r.accuracy;
  if (!up) {
    std::reverse(at.begin(), at.end());
    xs_ = at;
    ys_.assign(r.ys.rbegin(), r.ys.rend());
  } else {
    xs_ = at;
    ys_ = r.ys;
  }
  const std::function<double(double, double)> f = slopeFunction(problem.equation);
  slopes_.reserve(xs_.size());
  for (std::size_t i = 0; i < xs_.size(); ++i) slopes_.push_back(f(xs_[i], ys_[i]));
}

double Solution::at(double x) const {
  if (exact_) return exact_(x);
  const auto above = std::lower_bound(xs_.begin(), xs_.end(), x);
  std::size_t i = static_cast<std::size_t>(above - xs_.begin());
  if (i == xs_.size() || (i > 0 && x - xs_[i - 1] < xs_[i] - x)) --i;
  if (x == xs_[i]) return ys_[i];
  // Off by the rounding of an accumulated abscissa: one step along the slope.
  return ys_[i] + slopes_[i] * (x - xs_[i]);
}

std::vector<double> sampleAbscissae(const Problem& problem, int count) {
  std::vector<double> xs;
  xs.reserve(static_cast<std::size_t>(count) + 1);
  for (int i = 0; i <= count; ++i)
    xs.push_back(i == count ? problem.x1 : problem.x0 + (problem.x1 - problem.x0) * i / count);
  return xs;
}

}  // namespace kemi::study
