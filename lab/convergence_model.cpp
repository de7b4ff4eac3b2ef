// The convergence model: rows with their CSV text, in the command line's order.
#include "lab/convergence_model.h"

#include <QColor>
#include <algorithm>

#include "lab/cell_text.h"

namespace kemi::lab {
namespace {

QString rowNote(const study::ConvergenceRow& r) {
  QString note;
  if (!r.stable)
    note = ConvergenceModel::tr(
               "Unstable: the step h = %1 is above the method's stability limit on "
               "this equation, so the error grows instead of falling.")
               .arg(QString::fromStdString(study::shortestText(r.h)));
  if (!r.resolved)
    note += ConvergenceModel::tr(
                "%1Not resolved: the error is within 10 times the reference "
                "solution's accuracy (%2), so it gets no observed order.")
                .arg(note.isEmpty() ? QString() : QStringLiteral("\n"),
                     QString::fromStdString(study::shortestText(r.accuracy)));
  return note;
}

}  // namespace

void ConvergenceModel::clear() {
  beginResetModel();
  rows_.clear();
  text_.clear();
  endResetModel();
}

void ConvergenceModel::addRow(const study::ConvergenceRow& row) {
  addRows({row});
}

// Rows that land at the same place go in as one block, so a batch of rows from a few methods
// makes a few insertions, not one per row.
void ConvergenceModel::addRows(std::vector<study::ConvergenceRow> rows) {
  const auto before = [](const study::ConvergenceRow& a, const study::ConvergenceRow& b) {
    return a.method != b.method ? a.method < b.method : a.N < b.N;
  };
  std::stable_sort(rows.begin(), rows.end(), before);
  for (auto first = rows.begin(); first != rows.end();) {
    const auto at = std::upper_bound(rows_.begin(), rows_.end(), *first, before);
    auto last = first + 1;
    while (last != rows.end() && (at == rows_.end() || before(*last, *at))) ++last;
    const auto index = static_cast<int>(at - rows_.begin());
    const auto count = static_cast<int>(last - first);
    beginInsertRows({}, index, index + count - 1);
    const study::TextTable text = study::convergenceText({first, last});
    text_.insert(text_.begin() + index, text.rows.begin(), text.rows.end());
    rows_.insert(at, first, last);
    endInsertRows();
    first = last;
  }
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
  const study::ConvergenceRow& r = rows_[static_cast<std::size_t>(index.row())];
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == kFullTextRole) {
    const auto& cells = text_[static_cast<std::size_t>(index.row())];
    const std::string& text = cells.at(static_cast<std::size_t>(index.column()));
    if (role == Qt::DisplayRole) return shownCell(text);
    const QString full = QString::fromStdString(text);
    return role == Qt::ToolTipRole && !rowNote(r).isEmpty() ? full + "\n" + rowNote(r) : full;
  }
  // Rows that are unstable or not resolved stand out, the reason in every cell's tooltip.
  if (role == Qt::BackgroundRole && !r.stable) return QColor(0xFF, 0xE4, 0xC4);
  if (role == Qt::BackgroundRole && !r.resolved) return QColor(0xE4, 0xE4, 0xF0);
  if (role == Qt::TextAlignmentRole)
    return int((index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
  return {};
}

QVariant ConvergenceModel::headerData(int section, Qt::Orientation orientation, int role) const {
  return headerCell(header_, section, orientation, role);
}

}  // namespace kemi::lab
