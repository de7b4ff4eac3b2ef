// The check of a typed system. The sentences are the study library's (the command line prints
// the same after its option's name); each goes under the entry it is about.
#include "lab/system_check.h"

#include <QCoreApplication>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "study/study_input.h"
#include "study/text_table.h"

namespace kemi::lab {
namespace {

QString number(double value) {
  return QString::fromStdString(study::shortestText(value));
}

bool startsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

// Which entry a sentence of the study library is about, as the command line decides it.
QString* entryOf(OwnSystemCheck& check, const std::string& what) {
  if (startsWith(what, "the invariant") || startsWith(what, "invariant"))
    return &check.invariantReason;
  if (startsWith(what, "exact") || startsWith(what, "the exact") ||
      what.find("exact solution") != std::string::npos)
    return &check.exactReason;
  return &check.fReason;
}

}  // namespace

QString systemCaption(const study::SystemProblem& problem) {
  const auto* typed = std::get_if<study::TypedSystem>(&problem.system);
  if (typed != nullptr && typed->secondOrder)
    return QStringLiteral("%1,  y(%2) = %3,  y'(%2) = %4")
        .arg(QString::fromStdString(typed->formulaText()), number(problem.x0),
             number(problem.y0[0]), number(problem.y0[1]));
  const std::string formula = std::visit(
      [](const auto& s) -> std::string {
        if constexpr (std::is_same_v<std::decay_t<decltype(s)>, study::TypedSystem>)
          return s.formulaText();
        else
          return std::string(std::decay_t<decltype(s)>::info.formula);
      },
      problem.system);
  const std::vector<std::string> f = study::splitParts(formula, 2, "f");
  return QStringLiteral("y1' = %1,  y2' = %2,  (y1, y2)(%3) = (%4, %5)")
      .arg(QString::fromStdString(f[0]), QString::fromStdString(f[1]), number(problem.x0),
           number(problem.y0[0]), number(problem.y0[1]));
}

bool isTypedSystem(const QString& f, const QString& y0) {
  return f.contains(QLatin1Char(';')) || y0.contains(QLatin1Char(';'));
}

OwnSystemCheck checkOwnSystem(const OwnSystemTexts& texts) {
  OwnSystemCheck check;
  const std::string f = texts.f.trimmed().toStdString();
  const std::string exact = texts.exact.trimmed().toStdString();
  const std::string invariant = texts.invariant.trimmed().toStdString();
  study::SystemProblem problem;
  try {
    problem.system = f.find(';') != std::string::npos
                         ? study::TypedSystem::firstOrder(f, exact, invariant)
                         : study::TypedSystem::fromSecondOrder(f, exact, invariant);
  } catch (const study::ExpressionError& e) {
    *entryOf(check, e.what()) = QString::fromStdString(e.what());
  }
  const std::optional<double> x0 = study::readNumber(texts.x0.trimmed().toStdString());
  if (!x0 || !std::isfinite(*x0))
    check.x0Reason =
        QCoreApplication::translate("kemi::lab::SystemCheck", "x0 must be a finite number.");
  else
    problem.x0 = *x0;
  try {
    const std::vector<std::string> parts =
        study::splitParts(texts.y0.trimmed().toStdString(), 2, "y0 of a system");
    for (std::size_t i = 0; i < 2; ++i) {
      const std::optional<double> value = study::readNumber(parts[i]);
      if (!value || !std::isfinite(*value))
        throw study::ExpressionError("y0 '" + parts[i] +
                                     "': not a finite number; a system's y0 takes finite numbers "
                                     "such as '1; 0'");
      problem.y0[i] = *value;
    }
  } catch (const study::ExpressionError& e) {
    check.y0Reason = QString::fromStdString(e.what());
  }
  if (!check.fReason.isEmpty() || !check.x0Reason.isEmpty() || !check.y0Reason.isEmpty() ||
      !check.exactReason.isEmpty() || !check.invariantReason.isEmpty())
    return check;
  problem.x1 = problem.x0 + 1.0;
  try {
    study::checkSystemProblem(problem);
  } catch (const std::invalid_argument& e) {
    *entryOf(check, e.what()) = QString::fromStdString(e.what());
    return check;
  }
  check.problem = problem;
  return check;
}

bool sameSystem(const study::SystemProblem& a, const study::SystemProblem& b) {
  if (a.x0 != b.x0 || a.y0 != b.y0 || a.x1 != b.x1) return false;
  if (study::systemId(a.system) != study::systemId(b.system)) return false;
  const auto* ta = std::get_if<study::TypedSystem>(&a.system);
  const auto* tb = std::get_if<study::TypedSystem>(&b.system);
  return ta == nullptr || (ta->formulas == tb->formulas && ta->exact == tb->exact &&
                           ta->invariant == tb->invariant && ta->secondOrder == tb->secondOrder);
}

}  // namespace kemi::lab
