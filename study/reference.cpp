// Reference solutions of one equation, and the refusals of every reference.
#include <fmt/format.h>

#include <string>

#include "study/reference_run.h"
#include "study/solution.h"

namespace kemi::study {
namespace {

// Four significant digits: the point is where, not the last bit.
std::string near(double x) {
  return fmt::format("{:.5g}", x);
}

}  // namespace

void referenceBlowsUp(double x) {
  throw ReferenceError("the solution leaves the range of a double near x = " + near(x) +
                       ", before x1");
}

void referenceTooLong(double x) {
  throw ReferenceError("the reference solution needs more than " +
                       std::to_string(kMaxReferenceSteps) + " steps (stopped at x = " + near(x) +
                       ")");
}

Reference referenceSolution(const Problem& problem, std::span<const double> xs) {
  return std::visit(
      [&](const auto& equation) {
        using State = std::array<double, 1>;
        const auto solve = [&](const auto& f) {
          const auto slope = [&f](const State& y, State& dydx, double x) { dydx[0] = f(x, y[0]); };
          return twoToleranceReference(slope, problem.x0, problem.x1, State{problem.y0}, xs,
                                       kMaxReferenceSteps);
        };
        using E = std::decay_t<decltype(equation)>;
        const ReferenceRun<1> run = [&] {
          if constexpr (std::is_same_v<E, TypedEquation>)
            return solve(equation.evaluator());
          else
            return solve(equation);
        }();
        Reference r;
        r.ys.reserve(run.ys.size());
        for (const State& y : run.ys) r.ys.push_back(y[0]);
        r.accuracy = run.accuracy;
        return r;
      },
      problem.equation);
}

}  // namespace kemi::study
