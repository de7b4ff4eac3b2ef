// The adaptive run and the tolerance sweep as text tables, and the run's Markdown summary.
#pragma once

#include <string>

#include "study/adaptive_sweep.h"
#include "study/text_table.h"

namespace kemi::study {

// Columns attempt,x,h,y,estimate,local_error,accepted,error: x is the attempt's start, y its
// result at x + h, error the global error after an accepted step (empty for a rejected one).
TextTable adaptiveText(const AdaptiveResult& result);
// Markdown lines after the table: accepted, rejected, evaluations of f, the error at x1, and
// whether stability rather than accuracy held the step size.
std::string adaptiveSummary(const AdaptiveResult& result, std::size_t method);
// Columns method,tol,error,evaluations,steps,rejected.
TextTable adaptiveSweepText(const AdaptiveSweep& sweep);

}  // namespace kemi::study
