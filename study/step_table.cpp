// The step table, built with each method's staged step: the same formula code as the run's
// loop, so the points are the run's to the last bit and the stages are the ones that made them.
#include "step_table.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "method_table.h"
#include "number_format.h"

namespace kemi::study {

StepTable buildStepTable(std::size_t method, double x1, std::int64_t n) {
  if (!std::isfinite(x1) || x1 == 0.0)
    throw std::invalid_argument("x1 must be a finite number other than 0");
  if (n < 1 || n > kMaxTableSteps)
    throw std::invalid_argument("N must be a whole number from 1 to " +
                                std::to_string(kMaxTableSteps));
  const MethodInfo& m = kMethods.at(method);
  const double x0 = 0.0;
  const double h = (x1 - x0) / static_cast<double>(n);

  StepTable table;
  table.rows.reserve(static_cast<std::size_t>(n) + 1);
  StepRow first;
  first.x = x0;
  first.y = -1.0;
  first.exact = exactSolution(first.x);
  table.rows.push_back(first);
  for (std::int64_t i = 1; i <= n; ++i) {
    const StepRow& before = table.rows.back();
    StepRow row;
    row.i = i;
    m.staged(before.x, before.y, h, row.y, row.stages);
    row.x = before.x + h;
    if (!(std::isfinite(row.y) && std::isfinite(row.x))) {
      table.cause = "Step " + std::to_string(i) + " (x = " + formatGeneral(row.x) +
                    ") left the range of a double.";
      break;
    }
    row.exact = exactSolution(row.x);
    row.error = row.exact - row.y;
    if (!std::isfinite(row.error)) {
      table.cause = "At step " + std::to_string(i) + " (x = " + formatGeneral(row.x) +
                    ") the exact solution or the error is beyond the range of a double.";
      break;
    }
    // One step of the method from the exact value at the step's start: the local error.
    double fromExact = 0.0;
    StageRecord unused;
    m.staged(before.x, before.exact, h, fromExact, unused);
    row.localError = row.exact - fromExact;
    table.rows.push_back(row);
  }
  return table;
}

}  // namespace kemi::study
