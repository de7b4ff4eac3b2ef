// Steps on a system: the store-free loop to x1 (for sweeps), every point of one method (for
// pictures and compare) and the step table with each step's stages per component. The method
// and the system are picked once; each loop is an instantiation with the formula and f inlined.
#pragma once

#include <array>
#include <cstdint>
#include <stop_token>
#include <string>
#include <vector>

#include "study/final_point.h"
#include "study/system.h"

namespace kemi::study {

using SystemFinalPoint = FinalPointOf<Vec2>;

// N steps of h = (x1 - x0) / N of system method `method` (one of the nine) from the start.
SystemFinalPoint systemFinalPoint(const SystemProblem& problem, std::size_t method, std::int64_t n,
                                  const std::stop_token& stop = {});

struct SystemPolygon {
  std::size_t method = 0;
  std::vector<double> x;  // x[0], y[0] is the start
  std::vector<Vec2> y;
  std::int64_t failedStep = 0;
};
// Throws std::invalid_argument for n outside 1..kMaxPolygonSteps.
SystemPolygon systemPolygon(const SystemProblem& problem, std::size_t method, std::int64_t n);

struct SystemStepRow {
  std::int64_t i = 0;
  double x = 0.0;
  Vec2 y;
  Vec2 exact;               // exact or reference at x
  double error = 0.0;       // largest component error; not set in row 0
  double localError = 0.0;  // the same of one step from the exact value at the step's start
  double invariant = 0.0;   // NaN without an invariant
  std::array<Vec2, 6> k{};  // the step's increments; those past `stages` stay 0
  int stages = 0;
};
struct SystemStepTable {
  std::vector<SystemStepRow> rows;
  std::string cause;  // why the steps stopped early; else empty
  bool exact = true;
  double accuracy = 0.0;
};
// Throws std::invalid_argument for n outside 1..kMaxTableSteps and what the checks throw.
SystemStepTable buildSystemStepTable(const SystemProblem& problem, std::size_t method,
                                     std::int64_t n);

// Throws std::invalid_argument naming why when `method` does not apply to the system (a
// symplectic method on a system that is not y'' = g(x, y)).
void checkMethodApplies(const SystemProblem& problem, std::size_t method);

}  // namespace kemi::study
