// The equation as a picture's title and the window's headings write it: the presets' formulas
// as a textbook prints them ("y' = -50 (y - cos x), y(0) = 0"), a typed one as typed.
#pragma once

#include <QString>

#include "study/problem.h"

namespace kemi::lab {

// The formula as it is written on paper, and the start.
QString equationCaption(const study::Problem& problem);

}  // namespace kemi::lab
