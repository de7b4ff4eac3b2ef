// A reference solution computed once at some abscissae and read at any x near one of them, for
// one equation (Y = double) and for a system (Y = Vec2) alike.
#pragma once

#include <algorithm>
#include <span>
#include <vector>

namespace kemi::study {

template <class Y>
class SampledReference {
 public:
  SampledReference() = default;
  // At `wanted` and x1, all between x0 and x1. compute(at) gives {ys, accuracy} at `at`, in the
  // order of integration from x0; slope(x, y) is f.
  template <class Compute, class Slope>
  SampledReference(std::span<const double> wanted, double x0, double x1, const Compute& compute,
                   const Slope& slope) {
    std::vector<double> at(wanted.begin(), wanted.end());
    at.push_back(x1);
    const bool up = x1 > x0;
    std::sort(at.begin(), at.end(), [up](double a, double b) { return up ? a < b : a > b; });
    at.erase(std::unique(at.begin(), at.end()), at.end());
    auto [ys, accuracy] = compute(at);
    accuracy_ = accuracy;
    if (!up) {
      std::reverse(at.begin(), at.end());
      std::reverse(ys.begin(), ys.end());
    }
    xs_ = std::move(at);
    ys_ = std::move(ys);
    slopes_.reserve(xs_.size());
    for (std::size_t i = 0; i < xs_.size(); ++i) slopes_.push_back(slope(xs_[i], ys_[i]));
  }

  double accuracy() const { return accuracy_; }

  // From the nearest computed abscissa.
  Y at(double x) const {
    const auto above = std::lower_bound(xs_.begin(), xs_.end(), x);
    auto i = static_cast<std::size_t>(above - xs_.begin());
    if (i == xs_.size() || (i > 0 && x - xs_[i - 1] < xs_[i] - x)) --i;
    if (x == xs_[i]) return ys_[i];
    // Off by the rounding of an accumulated abscissa: one step along the slope.
    return ys_[i] + slopes_[i] * (x - xs_[i]);
  }

 private:
  std::vector<double> xs_;  // ascending
  std::vector<Y> ys_;
  std::vector<Y> slopes_;  // f there
  double accuracy_ = 0.0;
};

}  // namespace kemi::study
