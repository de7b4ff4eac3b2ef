// The per-method summary of a sweep: the method's order, the order observed while the error is
// far above rounding, the smallest error reached and at which N (the rounding floor once the
// sweep stopped improving), and the f evaluations that N took.
#pragma once

#include <vector>

#include "study/convergence.h"
#include "study/text_table.h"

namespace kemi::lab {

// "Far above rounding": a row's error and its predecessor's are both at least this many times
// the method's smallest non-zero error, so the observed order measures the method, not rounding.
inline constexpr double kFarAboveFloor = 1000.0;

// Columns method,order,observed_order,observed_at_N,smallest_error,smallest_at_N,evaluations;
// one row per method that has rows, in table order.
study::TextTable summaryText(const std::vector<study::ConvergenceRow>& rows);

}  // namespace kemi::lab
