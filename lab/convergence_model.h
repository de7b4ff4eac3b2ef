// The convergence rows of one sweep as a table model, kept in the command line's order (by
// method in table order, then by N) however the workers deliver them. Each cell is the text the
// command line's CSV has for it; the chart reads the numbers of the same rows.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "study/convergence.h"
#include "study/text_table.h"

namespace kemi::lab {

class ConvergenceModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  void clear();
  void addRow(const study::ConvergenceRow& row);          // inserted at its place
  void addRows(std::vector<study::ConvergenceRow> rows);  // each at its place, in blocks
  const std::vector<study::ConvergenceRow>& rows() const { return rows_; }
  const study::ConvergenceRow& row(int index) const;
  // The rows as the command line prints them.
  study::TextTable textTable() const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<study::ConvergenceRow> rows_;
  std::vector<std::vector<std::string>> text_;  // convergenceText of each row
  std::vector<std::string> header_ = study::convergenceText({}).header;
};

}  // namespace kemi::lab
