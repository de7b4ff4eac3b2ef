// The plot's description from the tables it drew: the exact curve over indexes 0..npt when it
// has a segment, the numerical polyline over 0..floor(N) when it has one.
#include "plot/plot_description.h"

#include <cmath>
#include <cstdint>

#include "core/calculation.h"
#include "core/number_format.h"
#include "plot/graphic.h"
#include "plot/table_extent.h"

namespace kemi {

std::string plotDescription(const Calculation& calc, std::string_view methodName) {
  const PlotInput in = plotInput(calc);
  const bool exactDrawn = in.npt >= 1;
  const std::int64_t last = in.N >= 1.0 ? static_cast<std::int64_t>(std::floor(in.N)) : 0;
  const bool numericalDrawn = last >= 1;
  if (!exactDrawn && !numericalDrawn) return "Only the grid and the axes, no solution curve.";

  // The numerical table's ranges were found by the run when its steps wrote it; the tables are
  // only read again when they were not.
  Extent x{in.X[0], in.X[0], true};
  Extent y{in.Y[0], in.Y[0], true};
  if (exactDrawn) {
    x = tableExtent(in.XA, in.npt, in.XA[0], in.XA[0]);
    y = tableExtent(in.YA, in.npt, in.YA[0], in.YA[0]);
  }
  std::string curves;
  if (exactDrawn) curves = "Exact solution in black";
  if (numericalDrawn) {
    const bool known = in.ranges && in.ranges->last == last;
    x = known ? widen(in.ranges->x, x.lo, x.hi) : tableExtent(in.X, last, x.lo, x.hi);
    y = known ? widen(in.ranges->y, y.lo, y.hi) : tableExtent(in.Y, last, y.lo, y.hi);
    curves += (exactDrawn ? " and " : "") + std::string(methodName) + " in red";
  }
  return curves + ", x from " + formatF4(x.lo) + " to " + formatF4(x.hi) + ", y from " +
         formatF4(y.lo) + " to " + formatF4(y.hi) + ".";
}

}  // namespace kemi
