// The solution the errors are measured against: the exact one where the equation has it,
// otherwise a reference computed by Boost.Odeint's adaptive Runge-Kutta-Fehlberg 7(8) with its
// estimated accuracy. A reference is computed once, at the abscissae asked for, and read at any
// x near one of them by a step along the slope there.
#pragma once

#include <functional>
#include <span>
#include <stdexcept>
#include <vector>

#include "study/problem.h"
#include "study/sampled_reference.h"

namespace kemi::study {

// A reference that cannot be computed: the solution leaves the double range (blows up) before
// x1, or it needs more than kMaxReferenceSteps steps. what() says which, with the x.
class ReferenceError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

inline constexpr long kMaxReferenceSteps = 1000000;

class Solution {
 public:
  // The exact solution of `problem` through its start, or a reference computed at `xs` and
  // problem.x1 (all of them between x0 and x1). Throws ReferenceError.
  explicit Solution(const Problem& problem, std::span<const double> xs = {});

  bool exact() const { return accuracy() == 0.0; }
  // An absolute bound on the reference's error; 0 for the exact solution.
  double accuracy() const { return reference_.accuracy(); }
  // The value at x; for a reference, from the nearest computed abscissa. One thread at a time.
  double at(double x) const;

 private:
  std::function<double(double)> exact_;
  SampledReference<double> reference_;
};

// A reference solution at `xs` (in the order of integration from x0, each between x0 and x1
// inclusive): values and an absolute bound on their error from two tolerances.
struct Reference {
  std::vector<double> ys;
  double accuracy = 0.0;
};
Reference referenceSolution(const Problem& problem, std::span<const double> xs);

// Where the solution is sampled for stability and pictures: `count` + 1 equally spaced
// abscissae from x0 to x1, both ends exact.
std::vector<double> sampleAbscissae(const Problem& problem, int count);
// `count` + 1 equally spaced abscissae from x0 to x1, both ends exact.
std::vector<double> equallySpaced(double x0, double x1, int count);

}  // namespace kemi::study
