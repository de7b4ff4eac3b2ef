// The steps tab's table as a model that holds the computed numbers and formats a cell only when
// it is shown: a table of a hundred thousand steps is a few megabytes of doubles rather than a
// string per cell, and a smaller table hands the memory back.
#pragma once

#include <QAbstractTableModel>

#include "study/step_table.h"
#include "study/text_table.h"

namespace kemi::lab {

class StepTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  void setTable(study::StepTable table);
  const study::StepTable& steps() const { return table_; }
  // The rows as the command line prints them.
  study::TextTable table() const { return study::stepText(table_); }
  // The cell's value; NaN for an empty cell.
  double number(int row, int column) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  study::StepTable table_;
  std::vector<std::string> header_ = study::stepText({}).header;
};

}  // namespace kemi::lab
