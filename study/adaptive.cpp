// The adaptive run: the method and the equation are picked once, then one loop of attempts
// whose step formula and f are inlined. The controller's rule is written out in controlled().
#include "study/adaptive.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <stdexcept>

#include "core/method_table.h"
#include "study/embedded_estimate.h"
#include "study/solution.h"
#include "study/stability.h"
#include "study/text_table.h"

namespace kemi::study {
namespace {

// The controller's exponent for one method and the err beyond which min and max certainly
// clamp its factor, found once per method. Each bound is moved a millionth inwards, far more
// than the rounding of the power, so that the skipped power could only have been clamped.
struct Controller {
  double exponent = 0.0;
  double growthBelow = 0.0;  // err below: the factor is kMaxGrowth
  double oneBelow = 0.0;     // err below: 0.9 err^exponent exceeds 1
  double shrinkAbove = 0.0;  // err above: the factor is kMaxShrink
};

const Controller& controllerOf(std::size_t method) {
  static const std::array<Controller, kMethods.size()> all = [] {
    std::array<Controller, kMethods.size()> c{};
    for (std::size_t m = 0; m < c.size(); ++m) {
      withFormula(m, [&](auto formula) {
        c[m].exponent =
            kEmbedded<decltype(formula)> ? -1.0 / 5.0 : -1.0 / (kMethods[m].order + 1.0);
      });
      const double inverse = 1.0 / c[m].exponent;
      c[m].growthBelow = std::pow(kMaxGrowth / kSafety, inverse);
      c[m].oneBelow = std::pow(kSafety, -inverse) * (1.0 - 1e-6);
      c[m].shrinkAbove = std::pow(kMaxShrink / kSafety, inverse) * (1.0 + 1e-6);
    }
    return c;
  }();
  return all[method];
}

// The factor from this h to the next: safety times the predicted best, within its bounds, 1 at
// most right after a rejection; kMaxGrowth for a zero estimate. The power is computed only
// where the bounds do not decide the factor.
double controlled(double err, const Controller& c, bool afterRejection) {
  if (afterRejection && err < c.oneBelow) return 1.0;
  double factor = kMaxGrowth;
  if (err > c.shrinkAbove)
    factor = kMaxShrink;
  else if (err > c.growthBelow)
    factor = std::min(kMaxGrowth, std::max(kMaxShrink, kSafety * std::pow(err, c.exponent)));
  if (afterRejection) factor = std::min(factor, 1.0);
  return factor;
}

// The solution through (x, y) at xEnd: a preset's exact formula, otherwise a reference from
// that point (NaN where the reference cannot be computed).
template <class E>
double through(const AnyEquation& equation, double x, double y, double xEnd) {
  if constexpr (!std::is_same_v<E, TypedEquation>) {
    if constexpr (E::kHasExact) return E::exact(xEnd, x, y);
  }
  if (xEnd == x) return y;
  try {
    const double ends[] = {xEnd};
    return referenceSolution(Problem{equation, x, y, xEnd}, ends).ys.front();
  } catch (const std::invalid_argument&) {
    return NAN;
  }
}

// The stability limits of all methods, found once: a scan and a bisection would cost more than
// a short run.
double cachedLimit(std::size_t method) {
  static const std::array<double, kMethods.size()> limits = [] {
    std::array<double, kMethods.size()> all{};
    for (std::size_t m = 0; m < all.size(); ++m) all[m] = stabilityLimit(m);
    return all;
  }();
  return limits[method];
}

struct Drive {
  const Problem& problem;
  const AdaptiveSettings& settings;
  const std::stop_token& stop;
  AdaptiveResult& result;
};

template <class Formula, class E, class F>
void drive(const F& f, const Drive& d) {
  const MethodInfo& m = kMethods[d.settings.method];
  const Controller controller = controllerOf(d.settings.method);
  const double limit = cachedLimit(d.settings.method);
  // A preset's df/dy inlined; a typed equation's through its own evaluator.
  const auto typedDfdy = std::is_same_v<E, TypedEquation> ? dfdyFunction(d.problem.equation)
                                                          : std::function<double(double, double)>{};
  const auto dfdy = [&](double x, double y) {
    if constexpr (std::is_same_v<E, TypedEquation>)
      return typedDfdy(x, y);
    else
      return E::dfdy(x, y);
  };
  const double x1 = d.problem.x1;
  const double up = x1 > d.problem.x0 ? 1.0 : -1.0;
  AdaptiveResult& r = d.result;
  r.stabilityLimit = limit;
  double x = d.problem.x0;
  double y = d.problem.y0;
  double h = d.settings.h0 ? *d.settings.h0 : (x1 - x) / 100.0;
  bool afterRejection = false;
  int held = 0;
  for (std::int64_t count = 0;; ++count) {
    if (count == d.settings.maxAttempts) {
      r.end = AdaptiveEnd::TooMany;
      r.cause = "stopped after " + std::to_string(count) + " attempts at x = " + shortestText(x);
      break;
    }
    // Every attempt while the rows are kept (each may run a reference solution), otherwise
    // every 1024th.
    if ((d.settings.keepAttempts || (count & 1023) == 0) && d.stop.stop_requested()) {
      r.end = AdaptiveEnd::Cancelled;
      break;
    }
    // An attempt that would reach or pass x1 is cut to end on it exactly.
    const bool last = (x + h - x1) * up >= 0.0;
    const double hTry = last ? x1 - x : h;
    const EstimatedStep s = estimatedStep<Formula>(f, x, y, hTry, m.order, m.evaluations);
    r.evaluations += s.evaluations;
    const double xEnd = last ? x1 : x + hTry;
    if (!std::isfinite(s.y)) {
      r.end = AdaptiveEnd::Overflow;
      r.cause = "y left the range of a double at x = " + shortestText(xEnd);
      break;
    }
    const double err = std::abs(s.estimate) /
                       (d.settings.atol + d.settings.rtol * std::max(std::abs(y), std::abs(s.y)));
    const bool accepted = err <= 1.0;
    if (d.settings.keepAttempts) {
      Attempt a{x, hTry, xEnd, s.y, s.estimate, 0.0, err, accepted, 0.0};
      a.localError = through<E>(d.problem.equation, x, y, xEnd) - s.y;
      r.attempts.push_back(a);
    }
    const double factor = controlled(err, controller, afterRejection && accepted);
    afterRejection = !accepted;
    if (accepted) {
      ++r.accepted;
      x = xEnd;
      y = s.y;
      // The step the method advances with: h itself, or half of it for step doubling.
      const double advance = kEmbedded<Formula> ? hTry : hTry / 2.0;
      const double lambda = dfdy(x, y);
      const bool near =
          lambda < 0.0 && std::abs(std::abs(advance * lambda) - limit) <= kHeldShare * limit;
      held = near ? held + 1 : 0;
      if (held >= kHeldSteps) r.stabilityHeld = true;
      if (last) break;
    } else {
      ++r.rejected;
    }
    h = hTry * factor;
    if (std::abs(h) < kSmallestStep * std::max(1.0, std::abs(x))) {
      r.end = AdaptiveEnd::TooSmall;
      r.cause = "step size too small at x = " + shortestText(x);
      break;
    }
  }
  r.x = x;
  r.y = y;
}

}  // namespace

void checkAdaptive(const Problem& problem, const AdaptiveSettings& settings) {
  if (settings.method >= kMethods.size()) throw std::invalid_argument("no such method");
  for (const double tol : {settings.atol, settings.rtol})
    if (!(tol >= kSmallestTolerance) || !std::isfinite(tol))
      throw std::invalid_argument("a tolerance must be a finite number from 1e-14 up");
  const double span = problem.x1 - problem.x0;
  if (settings.h0 && !(std::isfinite(*settings.h0) && *settings.h0 * span > 0.0))
    throw std::invalid_argument("h0 must be a finite number with the sign of x1 - x0");
  checkProblem(problem);
}

AdaptiveResult runAdaptive(const Problem& problem, const AdaptiveSettings& settings,
                           const std::stop_token& stop) {
  checkAdaptive(problem, settings);
  AdaptiveResult result;
  const Drive d{problem, settings, stop, result};
  withFormula(settings.method, [&](auto formula) {
    using Formula = decltype(formula);
    std::visit(
        [&](const auto& e) {
          if constexpr (std::is_same_v<std::decay_t<decltype(e)>, TypedEquation>) {
            const Evaluator f = e.evaluator();
            drive<Formula, TypedEquation>(f, d);
          } else {
            drive<Formula, std::decay_t<decltype(e)>>(e, d);
          }
        },
        problem.equation);
  });
  // A cancelled run keeps its attempts without the global errors a reference would take long for.
  if (result.end == AdaptiveEnd::Cancelled) {
    for (Attempt& a : result.attempts) a.error = NAN;
    result.error = NAN;
    return result;
  }
  // Global errors at the accepted ends, against the exact solution or one reference run.
  std::vector<double> ends;
  for (const Attempt& a : result.attempts)
    if (a.accepted) ends.push_back(a.xEnd);
  if (ends.empty() || ends.back() != result.x) ends.push_back(result.x);
  const Problem toEnd{problem.equation, problem.x0, problem.y0, result.x};
  if (result.x == problem.x0) return result;
  try {
    const Solution solution(toEnd, ends);
    result.exact = solution.exact();
    for (Attempt& a : result.attempts)
      if (a.accepted) a.error = solution.at(a.xEnd) - a.y;
    result.error = solution.at(result.x) - result.y;
  } catch (const ReferenceError&) {
    // A run that stopped near a pole: no reference reaches its end, so no global errors.
    result.exact = false;
    for (Attempt& a : result.attempts) a.error = NAN;
    result.error = NAN;
  }
  return result;
}

}  // namespace kemi::study
