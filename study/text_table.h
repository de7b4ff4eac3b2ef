// Study results as text tables: CSV (RFC 4180, a header line, "." as decimal point under every
// locale, numbers in the shortest text that reads back to the same double) and Markdown.
#pragma once

#include <string>
#include <vector>

#include "convergence.h"
#include "stability.h"
#include "step_table.h"

namespace kemi::study {

struct TextTable {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
};

// The shortest text that reads back to the same double; "inf", "-inf", "nan" for the others.
std::string shortestText(double value);

// Columns method,N,h,x,y,exact,error,observed_order,evaluations.
TextTable convergenceText(const std::vector<ConvergenceRow>& rows);
// Columns i,x,y,exact,error,local_error,k1..k6; row 0 and a method's missing stages are empty.
TextTable stepText(const StepTable& table);
// Columns method,order,evaluations,stability_limit.
TextTable stabilityText(const std::vector<StabilityRow>& rows);

std::string toCsv(const TextTable& table);       // lines end in CRLF, as RFC 4180 writes them
std::string toMarkdown(const TextTable& table);  // numbers right-aligned

}  // namespace kemi::study
