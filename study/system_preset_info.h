// What every preset system tells about itself, and the 2x2 matrix its Jacobian is.
#pragma once

#include <array>
#include <string_view>

namespace kemi::study {

// Row by row: {df1/dy1, df1/dy2, df2/dy1, df2/dy2}.
using Mat2 = std::array<double, 4>;

struct SystemInfo {
  std::string_view id;
  std::string_view formula;    // f1; f2 as they could be typed, in x, y1 and y2
  std::string_view exact;      // y1(x); y2(x) through the start; empty: none
  std::string_view invariant;  // a quantity the solution keeps; empty: none
  double x0;
  double y1;  // the start (y1, y2) at x0
  double y2;
  double x1;         // suggested end of the interval
  bool secondOrder;  // y1' = y2, y2' = g(x, y1): the symplectic methods apply
};

}  // namespace kemi::study
