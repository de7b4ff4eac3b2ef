// What the Solution picture shows for a problem: the exact solution (or the reference, dashed
// and named so), each chosen method's polygon at N steps, the methods' errors at the end, and
// the sentence a screen reader says about it.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "figures/solution_picture.h"
#include "study/problem.h"
#include "study/text_table.h"

namespace kemi::lab {

struct SolutionRequest {
  study::Problem problem;
  std::int64_t n = 10;
  std::vector<std::size_t> methods;  // indexes into kMethods
};

struct SolutionResult {
  SolutionScene scene;                 // curves: the solution (when there is one), then the methods
  std::vector<double> solutionAtEnds;  // y(x_N) at each method's last point; NaN: unknown
  std::vector<double> errors;          // |y_N - y(x_N)| per method; NaN when either is missing
  bool exact = true;
  double accuracy = 0.0;  // the reference's bound
  QString note;           // why there is no solution curve or a polygon stops, else empty
};

// The window's largest N: every change of an entry draws the picture again at once.
inline constexpr std::int64_t kMaxPictureSteps = 100000;
inline constexpr int kSolutionSamples = 400;

// Throws std::invalid_argument as study::polygon does (n outside 1..kMaxPolygonSteps).
SolutionResult solveForPicture(const SolutionRequest& request);

// "Solution of y' = ... from x = 0 to 1 with N = 10 steps. ... Errors at x1 = 1: Euler 0.0614, ..."
QString describeSolution(const SolutionRequest& request, const SolutionResult& result);

// Columns method,N,x,y,exact (reference without an exact solution),error: each method's end.
study::TextTable solutionText(const SolutionRequest& request, const SolutionResult& result);

// A number rounded to `digits` significant digits, as exact decimal text.
QString roundedText(double value, int digits);

}  // namespace kemi::lab
