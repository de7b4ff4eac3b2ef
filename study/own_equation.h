// An equation typed entry by entry (f, x0, y0, an optional exact solution), checked as the
// lab's window and page check it, with the sentence to show under each entry; and the presets'
// captions as a student writes them.
#pragma once

#include <optional>
#include <string>

#include "study/problem.h"

namespace kemi::study {

struct OwnEquationTexts {
  std::string f;
  std::string x0;
  std::string y0;
  std::string exact;  // may be empty: no exact solution
};

struct OwnEquationReasons {
  std::string f;
  std::string x0;
  std::string y0;
  std::string exact;
  std::optional<Problem> problem;  // only when no entry is refused
};

// Each text as an entry holds it (blanks around it do not count); the problem runs from x0 to
// x0 + 1.
OwnEquationReasons checkOwnEquation(const OwnEquationTexts& texts);

// "y' = -50 (y - cos x), y(0) = 0": the formula as it is written on paper, and the start.
std::string writtenCaption(const Problem& problem);

}  // namespace kemi::study
