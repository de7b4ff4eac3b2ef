// Reference solutions of systems, and a system's solution read at any abscissa.
#include <array>
#include <utility>

#include "study/reference_run.h"
#include "study/solution.h"
#include "study/system_solution.h"

namespace kemi::study {

SystemReference systemReference(const SystemProblem& problem, std::span<const double> xs) {
  return withSystemSlope(problem.system, [&](const auto& f) {
    using State = std::array<double, 2>;
    const auto slope = [&f](const State& y, State& dydx, double x) {
      const Vec2 d = f(x, Vec2{{y[0], y[1]}});
      dydx = {d[0], d[1]};
    };
    const ReferenceRun<2> run = twoToleranceReference(
        slope, problem.x0, problem.x1, State{problem.y0[0], problem.y0[1]}, xs, kMaxReferenceSteps);
    SystemReference r;
    r.ys.reserve(run.ys.size());
    for (const State& y : run.ys) r.ys.push_back(Vec2{{y[0], y[1]}});
    r.accuracy = run.accuracy;
    return r;
  });
}

SystemSolution::SystemSolution(const SystemProblem& problem, std::span<const double> xs)
    : exact_(systemExact(problem.system, problem.x0, problem.y0)) {
  if (exact_) return;
  const auto compute = [&problem](std::span<const double> at) {
    SystemReference r = systemReference(problem, at);
    return std::pair{std::move(r.ys), r.accuracy};
  };
  reference_ =
      SampledReference<Vec2>(xs, problem.x0, problem.x1, compute, systemSlope(problem.system));
}

Vec2 SystemSolution::at(double x) const {
  return exact_ ? exact_(x) : reference_.at(x);
}

std::vector<double> systemSamples(const SystemProblem& problem, int count) {
  return equallySpaced(problem.x0, problem.x1, count);
}

}  // namespace kemi::study
