// What the plot reads from a finished calculation run.
#include "core/calculation.h"
#include "plot/graphic.h"

namespace kemi {

PlotInput plotInput(const Calculation& calc) {
  const ExactTable& exact = calc.exact();
  return PlotInput{exact.XA, exact.YA, exact.npt, calc.X(), calc.Y(), calc.N(), calc.ranges()};
}

}  // namespace kemi
