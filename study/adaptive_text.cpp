// The adaptive run's tables and summary.
#include "study/adaptive_text.h"

#include <cmath>

#include "core/method_table.h"

namespace kemi::study {

TextTable adaptiveText(const AdaptiveResult& result) {
  TextTable t{{"attempt", "x", "h", "y", "estimate", "local_error", "accepted", "error"}, {}};
  std::int64_t n = 0;
  for (const Attempt& a : result.attempts)
    t.rows.push_back({std::to_string(++n), shortestText(a.x), shortestText(a.h), shortestText(a.y),
                      shortestText(a.estimate), shortestText(a.localError),
                      a.accepted ? "yes" : "no",
                      a.accepted && !std::isnan(a.error) ? shortestText(a.error) : ""});
  return t;
}

std::string adaptiveSummary(const AdaptiveResult& result, std::size_t method) {
  const std::string id(kMethods.at(method).id);
  std::string text = "- accepted: " + std::to_string(result.accepted) +
                     "\n- rejected: " + std::to_string(result.rejected) +
                     "\n- evaluations of f: " + std::to_string(result.evaluations) + "\n";
  if (result.end == AdaptiveEnd::Reached)
    text += "- error at x1: " + shortestText(result.error) + "\n";
  else
    text += "- " + result.cause + "; error there: " + shortestText(result.error) + "\n";
  if (!result.exact)
    text += "- errors are against a reference solution (Boost.Odeint, Runge-Kutta-Fehlberg 7(8))\n";
  if (result.stabilityHeld)
    text +=
        "- the step size is held by stability, not by accuracy: h |df/dy| stayed within 20 % "
        "of " +
        id + "'s stability limit " + shortestText(result.stabilityLimit) +
        " for ten accepted steps in a row\n";
  return text;
}

TextTable adaptiveSweepText(const AdaptiveSweep& sweep) {
  TextTable t{{"method", "tol", "error", "evaluations", "steps", "rejected"}, {}};
  for (const AdaptiveSweepRow& r : sweep.rows)
    t.rows.push_back({std::string(kMethods.at(r.method).id), shortestText(r.tol),
                      shortestText(r.error), std::to_string(r.evaluations), std::to_string(r.steps),
                      std::to_string(r.rejected)});
  return t;
}

}  // namespace kemi::study
