// The stability chart: |R(-h)| against h for 0 < h <= 4, one curve per method read from the
// samples table, the line |R| = 1, and each method's stability limit (from the limits table)
// marked on that line with the method's marker.
#pragma once

#include <vector>

#include "text_table.h"

class QChart;

namespace kemi::lab {

class TextTableModel;

inline constexpr double kStabilityHMax = 4.0;
inline constexpr int kStabilitySamples = 400;
inline constexpr double kStabilityRMax = 2.0;  // the chart's top; curves are cut there

// Columns h, then R(-h) of each method named R_<id>, at kStabilitySamples equal steps of h.
study::TextTable amplificationText(const std::vector<std::size_t>& methods);

// A new chart (the caller owns it) from the limits table (stabilityText) and the samples table.
QChart* makeStabilityChart(const TextTableModel& limits, const TextTableModel& samples);

}  // namespace kemi::lab
