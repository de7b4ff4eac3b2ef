// The check of a typed equation. It reuses the expression reader (muParser, one sentence with
// the position) and the problem check for what needs the whole equation: f finite at the start,
// and an exact solution that solves it.
#include "study/own_equation.h"

#include <array>
#include <cmath>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "study/study_input.h"
#include "study/text_table.h"

namespace kemi::study {
namespace {

// The presets' formulas as a textbook prints them; the study library has them as typed.
constexpr std::array<std::pair<std::string_view, const char*>, 6> kWritten{{
    {"classroom", "y' = -2x - y"},
    {"growth", "y' = y"},
    {"logistic", "y' = y (1 - y)"},
    {"gauss", "y' = -2xy"},
    {"stiff", "y' = -50 (y - cos x)"},
    {"riccati", "y' = x\u00B2 + y\u00B2"},
}};

std::string trimmed(const std::string& text) {
  const char* blanks = " \t\n\r\f\v";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string withCapital(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 32);
  return text + '.';
}

std::string readStart(const std::string& text, const std::string& name, double& value) {
  const std::string s = trimmed(text);
  if (s.empty()) return "Enter " + name + ", for example 0 or -1.5.";
  const auto read = readNumber(s);
  if (!read) return "Not a number: use digits, \".\" and an optional exponent.";
  if (!std::isfinite(*read)) return name + " must be finite.";
  value = *read;
  return {};
}

}  // namespace

std::string writtenCaption(const Problem& problem) {
  const std::string id = equationId(problem.equation);
  std::string formula = "y' = " + equationFormula(problem.equation);
  for (const auto& [preset, written] : kWritten)
    if (preset == id) formula = written;
  return formula + ", y(" + shortestText(problem.x0) + ") = " + shortestText(problem.y0);
}

OwnEquationReasons checkOwnEquation(const OwnEquationTexts& texts) {
  OwnEquationReasons check;
  const std::string f = trimmed(texts.f);
  const std::string exact = trimmed(texts.exact);
  if (const auto problem = expressionProblem(f, true)) check.f = withCapital(*problem);
  if (!exact.empty())
    if (const auto problem = expressionProblem(exact, false)) check.exact = withCapital(*problem);
  double x0 = 0.0;
  double y0 = 0.0;
  check.x0 = readStart(texts.x0, "x0", x0);
  check.y0 = readStart(texts.y0, "y0", y0);
  if (!check.f.empty() || !check.x0.empty() || !check.y0.empty()) return check;
  // f alone first, so that a fault of f is told under f and not under the exact solution.
  try {
    checkProblem({TypedEquation(f, {}), x0, y0, x0 + 1.0});
  } catch (const std::invalid_argument& e) {
    check.f = withCapital(e.what());
    return check;
  }
  if (!check.exact.empty()) return check;
  Problem problem{TypedEquation(f, exact), x0, y0, x0 + 1.0};
  try {
    checkProblem(problem);
  } catch (const std::invalid_argument& e) {
    check.exact = withCapital(e.what());
    return check;
  }
  check.problem = std::move(problem);
  return check;
}

}  // namespace kemi::study
