// The equation or system the window studies: captions of the presets as a student writes them,
// and the check of an equation or system typed into the window, entry by entry, with the reason
// under each entry.
#pragma once

#include <QString>
#include <optional>

#include "figures/equation_caption.h"
#include "study/own_system.h"
#include "study/problem.h"

namespace kemi::lab {

// The same equation (typed text included) from the same start to the same end.
bool sameProblem(const study::Problem& a, const study::Problem& b);

struct OwnEquationTexts {
  QString f;
  QString x0;
  QString y0;
  QString exact;  // may be empty: no exact solution
};

struct OwnEquationCheck {
  QString fReason;
  QString x0Reason;
  QString y0Reason;
  QString exactReason;
  std::optional<study::Problem> problem;  // only when no entry is refused
};

// Each text as the window's entries hold it; the typed problem runs from x0 to x0 + 1.
OwnEquationCheck checkOwnEquation(const OwnEquationTexts& texts);

QString systemCaption(const study::SystemProblem& problem);

struct OwnSystemTexts {
  QString f;
  QString x0;
  QString y0;
  QString exact;
  QString invariant;
};

struct OwnSystemCheck {
  QString fReason;
  QString x0Reason;
  QString y0Reason;
  QString exactReason;
  QString invariantReason;
  std::optional<study::SystemProblem> problem;  // only when no entry is refused
};

bool isTypedSystem(const QString& f, const QString& y0);
OwnSystemCheck checkOwnSystem(const OwnSystemTexts& texts);
using study::sameSystem;

}  // namespace kemi::lab
