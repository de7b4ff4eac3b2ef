// The checks a system passes before it is studied: above all a typed exact solution and a typed
// invariant, since a wrong one would make a convincing table of wrong errors or drifts.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "study/system_solution.h"
#include "study/text_table.h"

namespace kemi::study {
namespace {

constexpr int kCheckPoints = 16;
constexpr double kStartTolerance = 1e-9;
constexpr double kResidualTolerance = 1e-6;
constexpr double kInvariantTolerance = 1e-6;
constexpr double kEpsilon = 2.220446049250313e-16;

[[noreturn]] void refuse(const std::string& why) {
  throw std::invalid_argument(why);
}

std::string pair(const Vec2& y) {
  return "(" + shortestText(y[0]) + ", " + shortestText(y[1]) + ")";
}

double checkPoint(const SystemProblem& p, int i) {
  return p.x0 + (p.x1 - p.x0) * (i + 0.5) / kCheckPoints;
}

void checkExact(const SystemProblem& p, const std::function<Vec2(double)>& exact,
                const std::function<Vec2(double, const Vec2&)>& f) {
  const Vec2 start = exact(p.x0);
  for (std::size_t c = 0; c < 2; ++c)
    if (!(std::abs(start[c] - p.y0[c]) <= kStartTolerance * std::max(1.0, std::abs(p.y0[c]))))
      refuse("the exact solution gives " + pair(start) + " at x0 = " + shortestText(p.x0) +
             ", not the start " + pair(p.y0));
  for (int i = 0; i < kCheckPoints; ++i) {
    const double x = checkPoint(p, i);
    const double d = 1e-5 * std::max(1.0, std::abs(x));
    const Vec2 below = exact(x - d);
    const Vec2 above = exact(x + d);
    const Vec2 slope = f(x, exact(x));
    for (std::size_t c = 0; c < 2; ++c) {
      const double derivative = (above[c] - below[c]) / (2.0 * d);
      if (!std::isfinite(derivative) || !std::isfinite(slope[c]))
        refuse("the exact solution or f is not a finite number near x = " + shortestText(x));
      const double tolerance =
          kResidualTolerance * (std::abs(derivative) + std::abs(slope[c])) +
          64.0 * kEpsilon * std::max({std::abs(below[c]), std::abs(above[c]), 1.0}) / d;
      if (std::abs(derivative - slope[c]) > tolerance)
        refuse("the exact solution does not solve the system: at x = " + shortestText(x) +
               " the derivative of its component " + std::to_string(c + 1) + " is " +
               shortestText(derivative) + " but f" + std::to_string(c + 1) + " is " +
               shortestText(slope[c]));
    }
  }
}

void checkInvariant(const SystemProblem& p, const std::function<double(const Vec2&)>& invariant) {
  std::vector<double> xs;
  xs.reserve(kCheckPoints);
  for (int i = 0; i < kCheckPoints; ++i) xs.push_back(checkPoint(p, i));
  const SystemSolution solution(p, xs);
  const double start = invariant(p.y0);
  if (!std::isfinite(start))
    refuse("the invariant is not a finite number at the start " + pair(p.y0));
  const std::string along = solution.exact() ? "exact" : "reference";
  for (const double x : xs) {
    const double value = invariant(solution.at(x));
    if (!(std::abs(value - start) <=
          kInvariantTolerance * std::max(1.0, std::abs(start)) + 10.0 * solution.accuracy()))
      refuse("the invariant is not constant along the " + along + " solution: it is " +
             shortestText(start) + " at x0 = " + shortestText(p.x0) + " but " +
             shortestText(value) + " at x = " + shortestText(x));
  }
}

}  // namespace

void checkSystemProblem(const SystemProblem& p) {
  if (!std::isfinite(p.x0) || !std::isfinite(p.y0[0]) || !std::isfinite(p.y0[1]) ||
      !std::isfinite(p.x1))
    refuse("x0, the start values and x1 must be finite numbers");
  if (p.x1 == p.x0) refuse("x1 must differ from x0 = " + shortestText(p.x0));
  const auto f = systemSlope(p.system);
  const Vec2 start = f(p.x0, p.y0);
  if (!std::isfinite(start[0]) || !std::isfinite(start[1]))
    refuse("f is not a finite number at the start " + pair(p.y0));
  if (!std::holds_alternative<TypedSystem>(p.system)) return;
  if (hasExactSolution(p.system)) checkExact(p, systemExact(p.system, p.x0, p.y0), f);
  if (hasInvariant(p.system)) checkInvariant(p, systemInvariant(p.system));
}

}  // namespace kemi::study
