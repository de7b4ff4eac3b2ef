// Chart descriptions built from the same tables the charts are drawn from.
#include "lab/chart_description.h"

#include <QCoreApplication>

#include "lab/cell_text.h"

namespace kemi::lab {
namespace {

struct ChartDescription {
  Q_DECLARE_TR_FUNCTIONS(ChartDescription)
};

QString cell(const std::vector<std::string>& row, std::size_t column) {
  return column < row.size() ? shownCell(row[column]) : QString();
}

}  // namespace

QString describeConvergence(const study::TextTable& summary, bool workPrecision) {
  QString text = workPrecision ? ChartDescription::tr("Error at x1 against f evaluations")
                               : ChartDescription::tr("Error at x1 against the step size h");
  text += ChartDescription::tr(", both on log scales.");
  if (summary.rows.empty()) return text + ChartDescription::tr(" No rows yet.");
  // Columns: method, order, observed_order, observed_at_N, smallest_error, smallest_at_N, ...
  for (const std::vector<std::string>& row : summary.rows) {
    text += QStringLiteral(" %1: ").arg(cell(row, 0));
    const QString observed = cell(row, 2);
    text += observed.isEmpty() ? ChartDescription::tr("no observed order")
                               : ChartDescription::tr("observed order %1").arg(observed);
    text += ChartDescription::tr(", smallest error %1 at N = %2.").arg(cell(row, 4), cell(row, 5));
  }
  return text;
}

QString describeSteps(const study::StepTable& steps, const QString& method, double x1) {
  QString text = ChartDescription::tr("The exact solution from x = 0 to %1 and the points of %2")
                     .arg(QString::number(x1, 'g', kShownDigits), method);
  if (steps.rows.size() < 2) return text + QLatin1Char('.');
  const study::StepRow& last = steps.rows.back();
  text += ChartDescription::tr(" after %1 steps; the last point is (%2, %3), its error %4.")
              .arg(last.i)
              .arg(QString::number(last.x, 'g', kShownDigits),
                   QString::number(last.y, 'g', kShownDigits),
                   QString::number(last.error, 'g', kShownDigits));
  if (!steps.cause.empty()) text += QLatin1Char(' ') + QString::fromStdString(steps.cause);
  return text;
}

QString describeStability(const study::TextTable& limits) {
  QString text = ChartDescription::tr(
      "|R(-h)| against the step size h for each method; a method is "
      "stable where the curve stays at or below 1. Stability limits:");
  // Columns: method, order, evaluations, stability_limit.
  for (std::size_t r = 0; r < limits.rows.size(); ++r)
    text += QStringLiteral("%1 %2: h = %3")
                .arg(r == 0 ? QStringLiteral("") : QStringLiteral(","), cell(limits.rows[r], 0),
                     cell(limits.rows[r], 3));
  return text + QLatin1Char('.');
}

}  // namespace kemi::lab
