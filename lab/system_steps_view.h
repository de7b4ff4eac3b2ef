// What the steps tab shows for a system: the step table with both components, the exact or
// reference values, the errors, the invariant and each step's stages per component.
#pragma once

#include <QString>
#include <cstdint>

#include "study/system.h"

namespace kemi::lab {

class TextTableModel;

// Fills `model` with the table of n steps of `method` (one of the nine) to problem.x1, as
// `kemi-lab steps` writes it; returns the status line (why the steps stopped, if they did).
QString showSystemSteps(TextTableModel& model, const study::SystemProblem& problem,
                        std::size_t method, std::int64_t n);

}  // namespace kemi::lab
