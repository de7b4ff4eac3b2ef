// The one table of the methods: each row names a step formula and says how it is shown and
// reported. The main window builds its option buttons from it, the run takes the report name
// and the step loop from it, the lab instantiates each row's formula with any equation through
// withFormula, and the tests and benchmarks iterate it.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string_view>
#include <tuple>

#include "core/step_loop.h"
#include "core/step_methods.h"
#include "core/step_stages.h"

namespace kemi {

struct MethodInfo {
  std::string_view id;          // the step method's name: Euler, EulerEP, ..., RK4G
  std::string_view optionName;  // object name of the option button
  std::string_view caption;     // caption of the option button
  std::string_view reportName;  // name on the first line of the report
  StepMethod step;              // one step
  StepLoop loop;                // many steps, the method inlined
  StagedStep staged;            // one step that records its stages and counts f1
  int evaluations;              // calls of f1 per step
  int order;                    // order of accuracy
  bool embeddedEstimate;        // its stages also give an estimate of the local error
};

// The run's loop of one formula on f1, into the tables.
template <class Formula>
std::int64_t runLoop(double* X, double* Y, std::int64_t steps, double h, TableRanges& ranges) {
  return integrate(kStepOnF1<Formula>, X, Y, steps, h, ranges);
}

// A row of the table: the formula's type and what is said about it.
template <class Formula>
struct MethodRow {
  using type = Formula;
  MethodInfo info;
};
template <class Formula>
constexpr MethodRow<Formula> row(std::string_view id, std::string_view optionName,
                                 std::string_view caption, std::string_view reportName,
                                 int evaluations, int order, bool embeddedEstimate = false) {
  return {{id, optionName, caption, reportName, &stepOf<Formula>, &runLoop<Formula>,
           &stagedStep<Formula>, evaluations, order, embeddedEstimate}};
}

// In the order the options are shown and tested.
inline constexpr std::tuple kMethodRows{
    row<EulerFormula>("Euler", "Option_Euler", "Euler", "Euler Method", 1, 1),
    row<EulerEPFormula>("EulerEP", "Option_EulerEP", "Euler (End points)", "Euler End-Point Method",
                        2, 2),
    row<EulerMPFormula>("EulerMP", "Option_EulerMP", "Euler (Mid point)", "Euler Mid-Point Method",
                        2, 2),
    row<RK4Formula>("RK4", "Option_RK4", "Runge-Kutta 4", "Runge-Kutta-4 Method", 4, 4),
    row<RKFFormula>("RKF", "Option_RKF", "Runge-Kutta-Fehlberg", "Runge-Kutta-Fehlberg Method", 6,
                    5, true),
    row<RKMFormula>("RKM", "Option_RKM", "Runge-Kutta-Merson", "Runge-Kutta-Merson Method", 5, 4,
                    true),
    row<RK4GFormula>("RK4G", "Option_RK4G", "Runge-Kutta-Gill", "Runge-Kutta-Gill Method", 4, 4),
};

inline constexpr std::size_t kMethodCount = std::tuple_size_v<decltype(kMethodRows)>;

inline constexpr std::array<MethodInfo, kMethodCount> kMethods = std::apply(
    [](const auto&... rows) { return std::array<MethodInfo, kMethodCount>{rows.info...}; },
    kMethodRows);

// The formula of kMethods[I].
template <std::size_t I>
using MethodFormula = typename std::tuple_element_t<I, decltype(kMethodRows)>::type;

// Calls visit(Formula{}) with the formula of kMethods[method], picked once outside any loop;
// throws std::out_of_range for an index past the table.
template <std::size_t I = 0, class Visit>
decltype(auto) withFormula(std::size_t method, Visit&& visit) {
  if constexpr (I + 1 < kMethodCount) {
    if (method != I) return withFormula<I + 1>(method, visit);
  } else {
    if (method != I) throw std::out_of_range("no such method");
  }
  return visit(MethodFormula<I>{});
}

}  // namespace kemi
