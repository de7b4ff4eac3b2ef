// What the plot reads from a finished calculation run.
#include "calculation.h"
#include "graphic.h"

namespace kemi {

PlotInput plotInput(const Calculation& calc) {
  const ExactTable& exact = calc.exact();
  return PlotInput{exact.XA, exact.YA, exact.npt, calc.X(), calc.Y(), calc.N(), calc.ranges()};
}

}  // namespace kemi
