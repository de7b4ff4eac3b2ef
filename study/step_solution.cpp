// The solution through a step's start. A typed equation's exact solution belongs to its own
// start, so a step elsewhere is compared with a reference.
#include "study/step_solution.h"

#include <exception>
#include <variant>

#include "study/solution.h"

namespace kemi::study {

StepSolution stepSolution(const AnyEquation& equation, double x0, double y0, double x1,
                          int samples) {
  StepSolution out;
  for (int i = 0; i <= samples; ++i) out.xs.push_back(x0 + (x1 - x0) * i / samples);
  const bool typed = std::holds_alternative<TypedEquation>(equation);
  if (const auto exact =
          typed ? std::function<double(double)>{} : exactFunction(equation, x0, y0)) {
    for (const double x : out.xs) out.ys.push_back(exact(x));
    return out;
  }
  out.reference = true;
  try {
    out.ys = referenceSolution(Problem{equation, x0, y0, x1}, out.xs).ys;
  } catch (const std::exception&) {
    out.xs.clear();  // no comparison where the solution cannot be followed over the step
  }
  return out;
}

}  // namespace kemi::study
