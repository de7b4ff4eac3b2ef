// The stability chart: |R(-h)| against h for 0 < h <= 4, one curve per method, the line
// |R| = 1, and each method's stability limit marked on that line with the method's marker.
#pragma once

#include <vector>

#include "study/stability.h"
#include "study/text_table.h"

class QChart;

namespace kemi::lab {

class TextTableModel;

inline constexpr double kStabilityHMax = 4.0;
inline constexpr int kStabilitySamples = 400;
inline constexpr double kStabilityRMax = 2.0;  // the chart's top; curves are cut there

// What the chart draws, as numbers: a method's |R(-h)| sampled at kStabilitySamples equal steps
// of h up to kStabilityHMax, and its stability limit.
struct StabilityCurve {
  std::size_t method = 0;
  std::vector<study::AmplificationPoint> samples;
  double limit = 0.0;
};
std::vector<StabilityCurve> stabilityCurves(const std::vector<std::size_t>& methods);

// Columns h, then R(-h) of each method named R_<id>, the curves' samples.
study::TextTable amplificationText(const std::vector<StabilityCurve>& curves);
study::TextTable amplificationText(const std::vector<std::size_t>& methods);

// A new chart (the caller owns it) of the curves.
QChart* makeStabilityChart(const std::vector<StabilityCurve>& curves);
// The same for the methods the limits table (stabilityText) names, for the picture file.
QChart* makeStabilityChart(const TextTableModel& limits, const TextTableModel& samples);

}  // namespace kemi::lab
