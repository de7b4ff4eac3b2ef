// The one table of the seven methods: the main window builds its option buttons from it, the run
// takes the report name and the step loop from it, and the tests and benchmarks iterate it.
#pragma once

#include <array>
#include <string_view>

#include "step_loop.h"
#include "step_methods.h"
#include "step_stages.h"

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
};

// In the order the options are shown and tested.
inline constexpr std::array<MethodInfo, 7> kMethods{{
    {"Euler", "Option_Euler", "Euler", "Euler Method", &Euler, &integrate<Euler>,
     &stagedStep<EulerFormula>, 1, 1},
    {"EulerEP", "Option_EulerEP", "Euler (End points)", "Euler End-Point Method", &EulerEP,
     &integrate<EulerEP>, &stagedStep<EulerEPFormula>, 2, 2},
    {"EulerMP", "Option_EulerMP", "Euler (Mid point)", "Euler Mid-Point Method", &EulerMP,
     &integrate<EulerMP>, &stagedStep<EulerMPFormula>, 2, 2},
    {"RK4", "Option_RK4", "Runge-Kutta 4", "Runge-Kutta-4 Method", &RK4, &integrate<RK4>,
     &stagedStep<RK4Formula>, 4, 4},
    {"RKF", "Option_RKF", "Runge-Kutta-Fehlberg", "Runge-Kutta-Fehlberg Method", &RKF,
     &integrate<RKF>, &stagedStep<RKFFormula>, 6, 5},
    {"RKM", "Option_RKM", "Runge-Kutta-Merson", "Runge-Kutta-Merson Method", &RKM,
     &integrate<RKM>, &stagedStep<RKMFormula>, 5, 4},
    {"RK4G", "Option_RK4G", "Runge-Kutta-Gill", "Runge-Kutta-Gill Method", &RK4G,
     &integrate<RK4G>, &stagedStep<RK4GFormula>, 4, 4},
}};

}  // namespace kemi
