// The step model: numbers held, text made per shown cell exactly as stepText makes it.
#include "lab/step_table_model.h"

#include <cmath>
#include <string>
#include <utility>

#include "lab/cell_text.h"

namespace kemi::lab {
namespace {

constexpr int kFirstStage = 6;  // columns i, x, y, exact, error, local_error, then k1..k6
constexpr int kEstimate = 13;   // after k1..k6 and accuracy

}  // namespace

void StepTableModel::setTable(study::StepTable table) {
  beginResetModel();
  // Swapped out rather than assigned, so the old rows' memory is released here and not kept
  // as spare capacity.
  study::StepTable old = std::exchange(table_, std::move(table));
  endResetModel();
}

double StepTableModel::number(int row, int column) const {
  const study::StepRow& r = table_.rows.at(static_cast<std::size_t>(row));
  const bool initial = r.i == 0;
  switch (column) {
    case 0:
      return static_cast<double>(r.i);
    case 1:
      return r.x;
    case 2:
      return r.y;
    case 3:
      return r.exact;
    case 4:
      return initial ? std::nan("") : r.error;
    case 5:
      return initial ? std::nan("") : r.localError;
    default:
      break;
  }
  if (column == kEstimate) return table_.hasEstimate && !initial ? r.estimate : std::nan("");
  const int stage = column - kFirstStage;
  return stage < r.stages.stages ? r.stages.k.at(static_cast<std::size_t>(stage)) : std::nan("");
}

int StepTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int StepTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(header_.size());
}

QVariant StepTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != kFullTextRole) return {};
  const study::StepRow& r = table_.rows[static_cast<std::size_t>(index.row())];
  const int column = index.column();
  const bool empty = column == kEstimate
                         ? std::isnan(number(index.row(), column))
                         : (column >= kFirstStage ? column - kFirstStage >= r.stages.stages
                                                  : r.i == 0 && column >= 4);
  if (empty) return QString();
  const std::string text =
      column == 0 ? std::to_string(r.i) : study::shortestText(number(index.row(), column));
  return role == Qt::DisplayRole ? shownCell(text) : QString::fromStdString(text);
}

QVariant StepTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  return headerCell(header_, section, orientation, role);
}

}  // namespace kemi::lab
