// Study results as text tables: CSV (RFC 4180, a header line, "." as decimal point under every
// locale, numbers in the shortest text that reads back to the same double) and Markdown.
#pragma once

#include <string>
#include <vector>

#include "study/convergence.h"
#include "study/problem_stability.h"
#include "study/problem_steps.h"
#include "study/stability.h"
#include "study/step_table.h"

namespace kemi::study {

struct TextTable {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
};

// The shortest text that reads back to the same double; "inf", "-inf", "nan" for the others.
std::string shortestText(double value);

// Columns method,N,h,x,y,exact,error,observed_order,evaluations,stable,resolved,accuracy; with
// a reference solution (`exact` false) the column exact is headed reference. accuracy is empty
// for an exact solution.
TextTable convergenceText(const std::vector<ConvergenceRow>& rows, bool exact = true);
// Columns i,x,y,exact,error,local_error,k1..k6,accuracy,estimate; row 0 and a method's missing
// stages are empty; exact is headed reference and accuracy filled for a reference solution;
// estimate is the embedded pair's (RKF, RKM), empty for the other methods.
TextTable stepText(const StepTable& table);
// Columns method,order,evaluations,stability_limit,lambda_min,h_limit,n_min; the last two empty
// where there is no limit.
TextTable problemStabilityText(const std::vector<ProblemStabilityRow>& rows);
// Columns i,x,exact (or reference), then one per polygon headed by its method's id: the polygons
// share the abscissae xs (a polygon that ended early leaves its later cells empty), `solution`
// holds the exact or reference values there.
TextTable compareText(const std::vector<double>& xs, const std::vector<double>& solution,
                      bool exact, const std::vector<Polygon>& polygons);
// Columns id,f,x0,y0,exact,x1: the presets.
TextTable equationsText();
// Columns method,order,evaluations,stability_limit.
TextTable stabilityText(const std::vector<StabilityRow>& rows);

std::string toCsv(const TextTable& table);       // lines end in CRLF, as RFC 4180 writes them
std::string toMarkdown(const TextTable& table);  // numbers right-aligned

}  // namespace kemi::study
