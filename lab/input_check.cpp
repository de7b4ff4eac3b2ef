// Entry checks with their reasons.
#include "lab/input_check.h"

#include <QCoreApplication>
#include <cmath>
#include <string>

#include "study/study_input.h"
#include "study/text_table.h"

namespace kemi::lab {

namespace {

struct InputCheck {
  Q_DECLARE_TR_FUNCTIONS(InputCheck)
};

}  // namespace

QString checkX1(const QString& text, double x0, double& x1) {
  const std::string s = text.trimmed().toStdString();
  if (s.empty()) return InputCheck::tr("Enter x1, for example 1 or 0.5.");
  const auto value = study::readNumber(s);
  if (!value) return InputCheck::tr("Not a number: use digits, \".\" and an optional exponent.");
  if (!std::isfinite(*value)) return InputCheck::tr("x1 must be finite.");
  if (*value == x0) {
    const QString start = QString::fromStdString(study::shortestText(x0));
    return InputCheck::tr("x1 must not be %1: the steps start at x0 = %1.").arg(start);
  }
  x1 = *value;
  return {};
}

QString checkN(const QString& text, std::int64_t largest, std::int64_t& n) {
  const std::string s = text.trimmed().toStdString();
  QString range = InputCheck::tr("N must be a whole number from 1 to %1.").arg(largest);
  if (s.empty()) return range;
  const auto value = study::readWholeNumber(s);
  if (!value || *value < 1 || *value > largest) return range;
  n = *value;
  return {};
}

}  // namespace kemi::lab
