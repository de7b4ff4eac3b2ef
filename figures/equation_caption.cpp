// Captions of the presets and of typed equations.
#include "equation_caption.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "text_table.h"

namespace kemi::lab {
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

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

QString equationCaption(const study::Problem& problem) {
  const std::string id = study::equationId(problem.equation);
  QString formula = QStringLiteral("y' = ") + fromStd(study::equationFormula(problem.equation));
  for (const auto& [preset, written] : kWritten)
    if (preset == id) formula = QString::fromUtf8(written);
  return QStringLiteral("%1, y(%2) = %3")
      .arg(formula, fromStd(study::shortestText(problem.x0)),
           fromStd(study::shortestText(problem.y0)));
}

}  // namespace kemi::lab
