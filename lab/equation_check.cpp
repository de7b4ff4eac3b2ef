// Captions and the check of a typed equation, as the study library words them (the page shows
// the same sentences).
#include "lab/equation_check.h"

#include <string>
#include <utility>

#include "study/own_equation.h"
#include "study/own_system.h"

namespace kemi::lab {
namespace {

QString fromStd(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

bool sameProblem(const study::Problem& a, const study::Problem& b) {
  if (a.x0 != b.x0 || a.y0 != b.y0 || a.x1 != b.x1) return false;
  if (study::equationId(a.equation) != study::equationId(b.equation)) return false;
  const auto* ta = std::get_if<study::TypedEquation>(&a.equation);
  const auto* tb = std::get_if<study::TypedEquation>(&b.equation);
  return ta == nullptr || (ta->formula == tb->formula && ta->exact == tb->exact);
}

OwnEquationCheck checkOwnEquation(const OwnEquationTexts& texts) {
  study::OwnEquationReasons reasons = study::checkOwnEquation(
      {texts.f.trimmed().toStdString(), texts.x0.trimmed().toStdString(),
       texts.y0.trimmed().toStdString(), texts.exact.trimmed().toStdString()});
  OwnEquationCheck check;
  check.fReason = fromStd(reasons.f);
  check.x0Reason = fromStd(reasons.x0);
  check.y0Reason = fromStd(reasons.y0);
  check.exactReason = fromStd(reasons.exact);
  check.problem = std::move(reasons.problem);
  return check;
}

QString systemCaption(const study::SystemProblem& problem) {
  return fromStd(study::writtenSystemCaption(problem));
}

bool isTypedSystem(const QString& f, const QString& y0) {
  return study::isTypedSystem(f.toStdString(), y0.toStdString());
}

OwnSystemCheck checkOwnSystem(const OwnSystemTexts& texts) {
  study::OwnSystemReasons reasons =
      study::checkOwnSystem({texts.f.toStdString(), texts.x0.toStdString(), texts.y0.toStdString(),
                             texts.exact.toStdString(), texts.invariant.toStdString()});
  OwnSystemCheck check;
  check.fReason = fromStd(reasons.f);
  check.x0Reason = fromStd(reasons.x0);
  check.y0Reason = fromStd(reasons.y0);
  check.exactReason = fromStd(reasons.exact);
  check.invariantReason = fromStd(reasons.invariant);
  check.problem = std::move(reasons.problem);
  return check;
}

}  // namespace kemi::lab
