// The convergence model: rows with their CSV text, in the command line's order.
#include "convergence_model.h"

#include <algorithm>

#include "cell_text.h"

namespace kemi::lab {

void ConvergenceModel::clear() {
  beginResetModel();
  rows_.clear();
  text_.clear();
  endResetModel();
}

void ConvergenceModel::addRow(const study::ConvergenceRow& row) {
  const auto before = [](const study::ConvergenceRow& a, const study::ConvergenceRow& b) {
    return a.method != b.method ? a.method < b.method : a.N < b.N;
  };
  const auto at = std::upper_bound(rows_.begin(), rows_.end(), row, before);
  const auto index = static_cast<int>(at - rows_.begin());
  beginInsertRows({}, index, index);
  text_.insert(text_.begin() + index, study::convergenceText({row}).rows.front());
  rows_.insert(at, row);
  endInsertRows();
}

const study::ConvergenceRow& ConvergenceModel::row(int index) const {
  return rows_.at(static_cast<std::size_t>(index));
}

study::TextTable ConvergenceModel::textTable() const {
  return study::convergenceText(rows_);
}

int ConvergenceModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ConvergenceModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(header_.size());
}

QVariant ConvergenceModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == kFullTextRole) {
    const auto& cells = text_[static_cast<std::size_t>(index.row())];
    const std::string& text = cells.at(static_cast<std::size_t>(index.column()));
    return role == Qt::DisplayRole ? shownCell(text) : QString::fromStdString(text);
  }
  if (role == Qt::TextAlignmentRole)
    return int((index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
  return {};
}

QVariant ConvergenceModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == kFullTextRole)
    return QString::fromStdString(header_.at(static_cast<std::size_t>(section)));
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return columnTitle(header_.at(static_cast<std::size_t>(section)));
}

}  // namespace kemi::lab
