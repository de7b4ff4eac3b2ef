// The step formulas of kMethods by index, for instantiating them with any equation's f: the
// method is picked once, outside the loop, and the loop compiles with the formula inlined.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <tuple>

#include "method_table.h"

namespace kemi::study {

// In the order of kMethods (a test checks each against the table's step on f1).
using MethodFormulas = std::tuple<EulerFormula, EulerEPFormula, EulerMPFormula, RK4Formula,
                                  RKFFormula, RKMFormula, RK4GFormula>;
static_assert(std::tuple_size_v<MethodFormulas> == kMethods.size());

// Calls visit(Formula{}) with the formula of kMethods[method]; throws std::out_of_range for an
// index past the table.
template <class Visit>
decltype(auto) withFormula(std::size_t method, Visit&& visit) {
  switch (method) {
    case 0:
      return visit(std::tuple_element_t<0, MethodFormulas>{});
    case 1:
      return visit(std::tuple_element_t<1, MethodFormulas>{});
    case 2:
      return visit(std::tuple_element_t<2, MethodFormulas>{});
    case 3:
      return visit(std::tuple_element_t<3, MethodFormulas>{});
    case 4:
      return visit(std::tuple_element_t<4, MethodFormulas>{});
    case 5:
      return visit(std::tuple_element_t<5, MethodFormulas>{});
    case 6:
      return visit(std::tuple_element_t<6, MethodFormulas>{});
    default:
      throw std::out_of_range("no such method");
  }
}

// One step of Formula on f without an observer: the step loop's body.
template <class Formula, class F>
inline void stepOn(const F& f, const double& x0, const double& y0, const double& h, double& y) {
  Formula::apply(f, x0, y0, h, y, NoStages{});
}

}  // namespace kemi::study
