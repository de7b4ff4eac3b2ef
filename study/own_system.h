// A system typed entry by entry (f, x0, y0, an optional exact solution and invariant), checked
// as the lab's window and page check it, with the study library's sentence for each entry; and
// the presets' captions as a student writes them.
#pragma once

#include <optional>
#include <string>

#include "study/system.h"

namespace kemi::study {

// "y1' = y2,  y2' = -y1,  (y1, y2)(0) = (1, 0)".
std::string writtenSystemCaption(const SystemProblem& problem);

struct OwnSystemTexts {
  std::string f;  // "E1; E2" in x, y1, y2, or g alone for y'' = g(x, y, v)
  std::string x0;
  std::string y0;         // "A; B"
  std::string exact;      // "E1; E2", may be empty
  std::string invariant;  // may be empty
};

struct OwnSystemReasons {
  std::string f;
  std::string x0;
  std::string y0;
  std::string exact;
  std::string invariant;
  std::optional<SystemProblem> problem;  // only when no entry is refused
};

// Whether the entries mean a system: f with a ';' (a first-order system), or one expression with
// two start values (a second-order equation).
bool isTypedSystem(const std::string& f, const std::string& y0);

// Each text as an entry holds it (blanks around it do not count); the typed system runs from x0
// to x0 + 1, as the command line's does.
OwnSystemReasons checkOwnSystem(const OwnSystemTexts& texts);

bool sameSystem(const SystemProblem& a, const SystemProblem& b);

}  // namespace kemi::study
