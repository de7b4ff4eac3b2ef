// The text table model: strings in, strings out, numbers read back on demand.
#include "lab/text_table_model.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "lab/cell_text.h"

namespace kemi::lab {

double readCell(const std::string& text) {
  if (text == "inf") return std::numeric_limits<double>::infinity();
  if (text == "-inf") return -std::numeric_limits<double>::infinity();
  double value = 0.0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nan("");
  return value;
}

void TextTableModel::setTable(study::TextTable table) {
  beginResetModel();
  table_ = std::move(table);
  endResetModel();
}

double TextTableModel::number(int row, int column) const {
  return readCell(
      table_.rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)));
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.header.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto& row = table_.rows[static_cast<std::size_t>(index.row())];
  const auto column = static_cast<std::size_t>(index.column());
  if (column >= row.size()) return {};
  if (role == Qt::DisplayRole) return shownCell(row[column]);
  if (role == Qt::ToolTipRole || role == kFullTextRole) return QString::fromStdString(row[column]);
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  return headerCell(table_.header, section, orientation, role);
}

}  // namespace kemi::lab
