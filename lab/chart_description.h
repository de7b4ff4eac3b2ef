// The text a screen reader reads for each chart: what is drawn and the numbers a sighted reader
// takes from it (each method's observed order and smallest error, the steps' end and error, each
// stability limit). The tabs rewrite it whenever the chart's content changes.
#pragma once

#include <QString>

#include "study/step_table.h"
#include "study/text_table.h"

namespace kemi::lab {

// From the per-method summary (summaryText); `workPrecision` says which x axis is drawn.
QString describeConvergence(const study::TextTable& summary, bool workPrecision);
QString describeSteps(const study::StepTable& steps, const QString& method, double x1);
// From the limits table (stabilityText).
QString describeStability(const study::TextTable& limits);

}  // namespace kemi::lab
