// Captions and the check of a typed equation. The check reuses the study library's reader for
// the expressions (muParser, one sentence with the position) and its problem check for what
// needs the whole equation: f finite at the start, and an exact solution that solves it.
#include "equation_check.h"

#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

#include "study_input.h"
#include "text_table.h"

namespace kemi::lab {
namespace {

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

QString withCapital(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 32);
  return fromStd(text) + QLatin1Char('.');
}

QString readStart(const QString& text, const char* name, double& value) {
  const std::string s = text.trimmed().toStdString();
  if (s.empty()) return QStringLiteral("Enter %1, for example 0 or -1.5.").arg(QLatin1String(name));
  const auto read = study::readNumber(s);
  if (!read) return QStringLiteral("Not a number: use digits, \".\" and an optional exponent.");
  if (!std::isfinite(*read)) return QStringLiteral("%1 must be finite.").arg(QLatin1String(name));
  value = *read;
  return {};
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
  OwnEquationCheck check;
  const std::string f = texts.f.trimmed().toStdString();
  const std::string exact = texts.exact.trimmed().toStdString();
  if (const auto problem = study::expressionProblem(f, true)) check.fReason = withCapital(*problem);
  if (!exact.empty())
    if (const auto problem = study::expressionProblem(exact, false))
      check.exactReason = withCapital(*problem);
  double x0 = 0.0;
  double y0 = 0.0;
  check.x0Reason = readStart(texts.x0, "x0", x0);
  check.y0Reason = readStart(texts.y0, "y0", y0);
  if (!check.fReason.isEmpty() || !check.x0Reason.isEmpty() || !check.y0Reason.isEmpty())
    return check;
  // f alone first, so that a fault of f is told under f and not under the exact solution.
  try {
    study::checkProblem({study::TypedEquation(f, {}), x0, y0, x0 + 1.0});
  } catch (const std::invalid_argument& e) {
    check.fReason = withCapital(e.what());
    return check;
  }
  if (!check.exactReason.isEmpty()) return check;
  study::Problem problem{study::TypedEquation(f, exact), x0, y0, x0 + 1.0};
  try {
    study::checkProblem(problem);
  } catch (const std::invalid_argument& e) {
    check.exactReason = withCapital(e.what());
    return check;
  }
  check.problem = std::move(problem);
  return check;
}

}  // namespace kemi::lab
