// The one table of the seven methods: the main window builds its option buttons from it, the run
// takes the report name and the step loop from it, and the tests and benchmarks iterate it.
#pragma once

#include <array>
#include <string_view>

#include "step_loop.h"
#include "step_methods.h"

namespace kemi {

struct MethodInfo {
  std::string_view optionName;  // object name of the option button
  std::string_view caption;     // caption of the option button
  std::string_view reportName;  // name on the first line of the report
  StepMethod step;              // one step
  StepLoop loop;                // many steps, the method inlined
  int evaluations;              // calls of f1 per step
  int order;                    // order of accuracy
};

// In the order the options are shown and tested.
inline constexpr std::array<MethodInfo, 7> kMethods{{
    {"Option_Euler", "Euler", "Euler Method", &Euler, &integrate<Euler>, 1, 1},
    {"Option_EulerEP", "Euler (End points)", "Euler End-Point Method", &EulerEP,
     &integrate<EulerEP>, 2, 2},
    {"Option_EulerMP", "Euler (Mid point)", "Euler Mid-Point Method", &EulerMP, &integrate<EulerMP>,
     2, 2},
    {"Option_RK4", "Runge-Kutta 4", "Runge-Kutta-4 Method", &RK4, &integrate<RK4>, 4, 4},
    {"Option_RKF", "Runge-Kutta-Fehlberg", "Runge-Kutta-Fehlberg Method", &RKF, &integrate<RKF>, 6,
     5},
    {"Option_RKM", "Runge-Kutta-Merson", "Runge-Kutta-Merson Method", &RKM, &integrate<RKM>, 5, 4},
    {"Option_RK4G", "Runge-Kutta-Gill", "Runge-Kutta-Gill Method", &RK4G, &integrate<RK4G>, 4, 4},
}};

}  // namespace kemi
