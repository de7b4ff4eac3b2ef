// The check of a typed system. The sentences are the study library's (the command line prints
// the same after its option's name); each belongs to the entry it is about.
#include "study/own_system.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "study/study_input.h"
#include "study/text_table.h"

namespace kemi::study {
namespace {

// Blanks at either end do not count, as in the window's entries.
std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\n\r\f\v");
  if (first == std::string::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t\n\r\f\v");
  return text.substr(first, last - first + 1);
}

bool startsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

// Which entry a sentence of the study library is about, as the command line decides it.
std::string* entryOf(OwnSystemReasons& check, const std::string& what) {
  if (startsWith(what, "the invariant") || startsWith(what, "invariant")) return &check.invariant;
  if (startsWith(what, "exact") || startsWith(what, "the exact") ||
      what.find("exact solution") != std::string::npos)
    return &check.exact;
  return &check.f;
}

}  // namespace

std::string writtenSystemCaption(const SystemProblem& problem) {
  const auto number = [](double value) { return shortestText(value); };
  const auto* typed = std::get_if<TypedSystem>(&problem.system);
  if (typed != nullptr && typed->secondOrder)
    return typed->formulaText() + ",  y(" + number(problem.x0) + ") = " + number(problem.y0[0]) +
           ",  y'(" + number(problem.x0) + ") = " + number(problem.y0[1]);
  const std::string formula = std::visit(
      [](const auto& s) -> std::string {
        if constexpr (std::is_same_v<std::decay_t<decltype(s)>, TypedSystem>)
          return s.formulaText();
        else
          return std::string(std::decay_t<decltype(s)>::info.formula);
      },
      problem.system);
  const std::vector<std::string> f = splitParts(formula, 2, "f");
  return "y1' = " + f[0] + ",  y2' = " + f[1] + ",  (y1, y2)(" + number(problem.x0) + ") = (" +
         number(problem.y0[0]) + ", " + number(problem.y0[1]) + ")";
}

bool isTypedSystem(const std::string& f, const std::string& y0) {
  return f.find(';') != std::string::npos || y0.find(';') != std::string::npos;
}

OwnSystemReasons checkOwnSystem(const OwnSystemTexts& texts) {
  OwnSystemReasons check;
  const std::string f = trimmed(texts.f);
  const std::string exact = trimmed(texts.exact);
  const std::string invariant = trimmed(texts.invariant);
  SystemProblem problem;
  try {
    problem.system = f.find(';') != std::string::npos
                         ? TypedSystem::firstOrder(f, exact, invariant)
                         : TypedSystem::fromSecondOrder(f, exact, invariant);
  } catch (const ExpressionError& e) {
    *entryOf(check, e.what()) = e.what();
  }
  const std::optional<double> x0 = readNumber(trimmed(texts.x0));
  if (!x0 || !std::isfinite(*x0))
    check.x0 = "x0 must be a finite number.";
  else
    problem.x0 = *x0;
  try {
    const std::vector<std::string> parts = splitParts(trimmed(texts.y0), 2, "y0 of a system");
    for (std::size_t i = 0; i < 2; ++i) {
      const std::optional<double> value = readNumber(parts[i]);
      if (!value || !std::isfinite(*value))
        throw ExpressionError("y0 '" + parts[i] +
                              "': not a finite number; a system's y0 takes finite numbers "
                              "such as '1; 0'");
      problem.y0[i] = *value;
    }
  } catch (const ExpressionError& e) {
    check.y0 = e.what();
  }
  if (!check.f.empty() || !check.x0.empty() || !check.y0.empty() || !check.exact.empty() ||
      !check.invariant.empty())
    return check;
  problem.x1 = problem.x0 + 1.0;
  try {
    checkSystemProblem(problem);
  } catch (const std::invalid_argument& e) {
    *entryOf(check, e.what()) = e.what();
    return check;
  }
  check.problem = problem;
  return check;
}

bool sameSystem(const SystemProblem& a, const SystemProblem& b) {
  if (a.x0 != b.x0 || a.y0 != b.y0 || a.x1 != b.x1) return false;
  if (systemId(a.system) != systemId(b.system)) return false;
  const auto* ta = std::get_if<TypedSystem>(&a.system);
  const auto* tb = std::get_if<TypedSystem>(&b.system);
  return ta == nullptr || (ta->formulas == tb->formulas && ta->exact == tb->exact &&
                           ta->invariant == tb->invariant && ta->secondOrder == tb->secondOrder);
}

}  // namespace kemi::study
