// The checks a problem passes before it is studied; a typed exact solution above all, since a
// wrong one would make a convincing table of wrong errors.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "study/problem.h"
#include "study/text_table.h"

namespace kemi::study {
namespace {

constexpr int kCheckPoints = 16;
constexpr double kStartTolerance = 1e-9;
constexpr double kResidualTolerance = 1e-6;
constexpr double kEpsilon = 2.220446049250313e-16;

[[noreturn]] void refuse(const std::string& why) {
  throw std::invalid_argument(why);
}

void checkExact(const Problem& p, const std::function<double(double)>& exact,
                const std::function<double(double, double)>& f) {
  const double start = exact(p.x0);
  if (!(std::abs(start - p.y0) <= kStartTolerance * std::max(1.0, std::abs(p.y0))))
    refuse("the exact solution gives " + shortestText(start) + " at x0 = " + shortestText(p.x0) +
           ", not y0 = " + shortestText(p.y0));
  for (int i = 0; i < kCheckPoints; ++i) {
    const double x = p.x0 + (p.x1 - p.x0) * (i + 0.5) / kCheckPoints;
    const double d = 1e-5 * std::max(1.0, std::abs(x));
    const double below = exact(x - d);
    const double above = exact(x + d);
    const double y = exact(x);
    const double derivative = (above - below) / (2.0 * d);
    const double slope = f(x, y);
    if (!std::isfinite(y) || !std::isfinite(derivative) || !std::isfinite(slope))
      refuse("the exact solution or f is not a finite number near x = " + shortestText(x));
    // Relative to the size of y' and f, plus what rounding of y leaves in the difference.
    const double tolerance =
        kResidualTolerance * (std::abs(derivative) + std::abs(slope)) +
        64.0 * kEpsilon * std::max({std::abs(below), std::abs(above), 1.0}) / d;
    if (std::abs(derivative - slope) > tolerance)
      refuse("the exact solution does not solve the equation: at x = " + shortestText(x) +
             " its derivative is " + shortestText(derivative) + " but f(x, y(x)) is " +
             shortestText(slope));
  }
}

}  // namespace

void checkProblem(const Problem& p) {
  if (!std::isfinite(p.x0) || !std::isfinite(p.y0) || !std::isfinite(p.x1))
    refuse("x0, y0 and x1 must be finite numbers");
  if (p.x1 == p.x0) refuse("x1 must differ from x0 = " + shortestText(p.x0));
  const std::function<double(double, double)> f = slopeFunction(p.equation);
  if (!std::isfinite(f(p.x0, p.y0)))
    refuse("f is not a finite number at the start (" + shortestText(p.x0) + ", " +
           shortestText(p.y0) + ")");
  if (std::holds_alternative<TypedEquation>(p.equation) && hasExactSolution(p.equation))
    checkExact(p, exactFunction(p.equation, p.x0, p.y0), f);
}

}  // namespace kemi::study
