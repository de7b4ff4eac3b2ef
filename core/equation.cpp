// Sampling of the exact solution y = 2 - 2x - 3e^(-x).
#include "core/equation.h"

#include <cmath>
#include <string>

#include "core/calculation.h"
#include "core/number_format.h"

namespace kemi {

void Analytical(ExactTable& table, const double& x0, const double& x1) {
  table = ExactTable{};
  table.npt = ExactTable::kSlots - 1;
  const double d = (x1 - x0) / 10.0;
  // The samples accumulate (x + d, not x0 + k*d), as the student would step them by hand. The
  // sum of ten steps can land a hair past x1, so the loop ends only once x has passed x1 by more
  // than half a step; that keeps the eleventh sample at x1.
  const double half = d / 2.0;
  const char* const tooClose =
      "x1 is too close to x0 for ten sampling steps to show: enter an x1 farther from x0.";
  int i = -1;
  for (double x = x0; d >= 0.0 ? (x - x1) <= half : (x - x1) >= half; x = x + d) {
    ++i;
    if (i >= ExactTable::kSlots) {
      if (x1 == x0)
        throw RunStopped("x1 must differ from x0: enter a target point x1 other than " +
                         formatGeneral(x0) + ".");
      throw RunStopped(
          "x1 is too close to x0 for ten sampling steps to show: enter an x1 farther "
          "from x0.");
    }
    table.XA[i] = x;
    table.YA[i] = exactSolution(x);
    if (!std::isfinite(table.YA[i]))
      throw RunStopped("The exact solution at x = " + formatGeneral(x) +
                       " is beyond the range of a double: enter an x1 closer to 0.");
  }
  // A step that underflows to -0 counts as a step upward, so a target just below x0 gives no
  // sample at all; there is nothing to report then.
  if (i < 0) throw RunStopped(tooClose);
  table.npt = i;
}

}  // namespace kemi
