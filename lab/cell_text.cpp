// Column titles and shortened numbers for the window's tables.
#include "lab/cell_text.h"

#include <QCoreApplication>
#include <array>
#include <cmath>
#include <utility>

#include "lab/text_table_model.h"

namespace kemi::lab {
namespace {

constexpr std::array<std::pair<const char*, const char*>, 12> kTitles{{
    {"observed_order", QT_TRANSLATE_NOOP("CellText", "Observed order")},
    {"observed_at_N", QT_TRANSLATE_NOOP("CellText", "Observed at N")},
    {"smallest_error", QT_TRANSLATE_NOOP("CellText", "Smallest error")},
    {"smallest_at_N", QT_TRANSLATE_NOOP("CellText", "Reached at N")},
    {"evaluations", QT_TRANSLATE_NOOP("CellText", "f evaluations")},
    {"local_error", QT_TRANSLATE_NOOP("CellText", "Local error")},
    {"stability_limit", QT_TRANSLATE_NOOP("CellText", "Stability limit")},
    {"lambda_min", QT_TRANSLATE_NOOP("CellText", "\u03BB min")},
    {"h_limit", QT_TRANSLATE_NOOP("CellText", "Largest stable h")},
    {"n_min", QT_TRANSLATE_NOOP("CellText", "Smallest stable N")},
    {"exact", QT_TRANSLATE_NOOP("CellText", "Exact y")},
    {"error", QT_TRANSLATE_NOOP("CellText", "Global error")},
}};

bool isWhole(const std::string& text) {
  if (text.empty()) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] >= '0' && text[i] <= '9') && !(i == 0 && text[i] == '-')) return false;
  return true;
}

}  // namespace

QString columnTitle(const std::string& csvName) {
  for (const auto& [name, title] : kTitles)
    if (csvName == name) return QCoreApplication::translate("CellText", title);
  QString title = QString::fromStdString(csvName).replace(QLatin1Char('_'), QLatin1Char(' '));
  // Single letters (x, y, h, N, k1) are the formulas' own symbols and keep their case.
  if (title.size() > 2) title[0] = title[0].toUpper();
  return title;
}

QString shownCell(const std::string& text) {
  const double value = readCell(text);
  if (std::isnan(value) || isWhole(text)) return QString::fromStdString(text);
  return QString::number(value, 'g', kShownDigits);
}

QVariant headerCell(const std::vector<std::string>& header, int section,
                    Qt::Orientation orientation, int role) {
  if (orientation == Qt::Horizontal && role == kFullTextRole)
    return QString::fromStdString(header.at(static_cast<std::size_t>(section)));
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return columnTitle(header.at(static_cast<std::size_t>(section)));
}

}  // namespace kemi::lab
