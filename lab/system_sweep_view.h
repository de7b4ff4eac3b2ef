// What the convergence tab shows for a system: the chart of the largest component error against
// N beside the rows with the system's columns, both from the rows of one sweep.
#pragma once

#include <QWidget>
#include <vector>

#include "study/system_convergence.h"

class QTableView;

namespace kemi::lab {

class TextTableModel;

class SystemSweepView : public QWidget {
  Q_OBJECT

 public:
  explicit SystemSweepView(QWidget* parent = nullptr);

  void setRows(std::vector<study::SystemConvergenceRow> rows, bool exact, const QString& title);
  const std::vector<study::SystemConvergenceRow>& rows() const { return rows_; }
  QWidget* picture() const { return picture_; }
  QTableView* table() const { return table_; }
  TextTableModel* model() const { return model_; }

 private:
  std::vector<study::SystemConvergenceRow> rows_;
  QString title_;
  QWidget* picture_;
  QTableView* table_;
  TextTableModel* model_;
};

}  // namespace kemi::lab
