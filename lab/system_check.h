// A system in the equation picker: the presets' captions as a student writes them, and the check
// of a system typed into the window's entries, with the study library's sentence under each.
#pragma once

#include <QString>
#include <optional>

#include "study/system.h"

namespace kemi::lab {

// "y1' = y2,  y2' = -y1,  (y1, y2)(0) = (1, 0)".
QString systemCaption(const study::SystemProblem& problem);

struct OwnSystemTexts {
  QString f;  // "E1; E2" in x, y1, y2, or g alone for y'' = g(x, y, v)
  QString x0;
  QString y0;         // "A; B"
  QString exact;      // "E1; E2", may be empty
  QString invariant;  // may be empty
};

struct OwnSystemCheck {
  QString fReason;
  QString x0Reason;
  QString y0Reason;
  QString exactReason;
  QString invariantReason;
  std::optional<study::SystemProblem> problem;  // only when no entry is refused
};

// Whether the entries mean a system: f with a ';' (a first-order system), or one expression with
// two start values (a second-order equation).
bool isTypedSystem(const QString& f, const QString& y0);

// The typed system runs from x0 to x0 + 1, as the command line's does.
OwnSystemCheck checkOwnSystem(const OwnSystemTexts& texts);

bool sameSystem(const study::SystemProblem& a, const study::SystemProblem& b);

}  // namespace kemi::lab
