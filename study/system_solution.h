// The solution a system's errors are measured against: the exact one where the system has it,
// otherwise a reference by Boost.Odeint's adaptive Runge-Kutta-Fehlberg 7(8) (never one of the
// lab's own methods) with its estimated accuracy in the max norm.
#pragma once

#include <cmath>
#include <span>
#include <vector>

#include "study/sampled_reference.h"
#include "study/system.h"

namespace kemi::study {

struct SystemReference {
  std::vector<Vec2> ys;
  double accuracy = 0.0;  // a bound on the largest component error
};
// At `xs`, in the order of integration from x0, each between x0 and x1. Throws ReferenceError.
SystemReference systemReference(const SystemProblem& problem, std::span<const double> xs);

class SystemSolution {
 public:
  // The exact solution, or a reference computed at `xs` and x1. Throws ReferenceError.
  explicit SystemSolution(const SystemProblem& problem, std::span<const double> xs = {});

  bool exact() const { return accuracy() == 0.0; }
  double accuracy() const { return reference_.accuracy(); }
  // The value at x; for a reference, from the nearest computed abscissa. One thread at a time.
  Vec2 at(double x) const;

 private:
  std::function<Vec2(double)> exact_;
  SampledReference<Vec2> reference_;
};

// `count` + 1 equally spaced abscissae from x0 to x1, both ends exact.
std::vector<double> systemSamples(const SystemProblem& problem, int count);

// The largest absolute component difference.
inline double maxNorm(const Vec2& a, const Vec2& b) {
  const double d0 = std::abs(a[0] - b[0]);
  const double d1 = std::abs(a[1] - b[1]);
  if (std::isnan(d0) || std::isnan(d1)) return NAN;
  return d0 < d1 ? d1 : d0;
}

}  // namespace kemi::study
