// A study text table as a Qt table model: the cells are the very strings the command line writes
// to its CSV, so the view, the export and any chart read from it agree to the last digit.
#pragma once

#include <QAbstractTableModel>

#include "study/text_table.h"

namespace kemi::lab {

class TextTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  void setTable(study::TextTable table);
  const study::TextTable& table() const { return table_; }
  // The cell read back as a double (the shortest text reads back to the same value); NaN for an
  // empty cell.
  double number(int row, int column) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  study::TextTable table_;
};

// The text read as a double; NaN when it is empty or not entirely a number.
double readCell(const std::string& text);

}  // namespace kemi::lab
