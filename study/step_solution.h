// The solution through one step's start, which the picture inside a step compares the step
// with: the preset's exact solution where it has one, else a reference from that start.
#pragma once

#include <vector>

#include "study/problem.h"

namespace kemi::study {

struct StepSolution {
  std::vector<double> xs, ys;  // samples + 1 points from x0 to x1; none where it fails
  bool reference = false;
};

StepSolution stepSolution(const AnyEquation& equation, double x0, double y0, double x1,
                          int samples = 64);

}  // namespace kemi::study
