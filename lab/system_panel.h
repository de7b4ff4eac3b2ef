// What the Solution tab shows for a system: the phase plane with the vector field, the orbit and
// each method's polygon, with the components against x and the invariant's drift a choice away;
// under it the table of each method's end and error.
#pragma once

#include <QWidget>

#include "figures/system_picture.h"

class QComboBox;
class QLabel;
class QSpinBox;
class QTableView;

namespace kemi::lab {

class TextTableModel;

class SystemPanel : public QWidget {
  Q_OBJECT

 public:
  explicit SystemPanel(QWidget* parent = nullptr);

  void setSystem(const study::SystemProblem& problem);
  void setView(SystemView view);
  SystemView view() const { return view_; }

  QWidget* picture() const { return picture_; }
  QTableView* table() const { return table_; }
  TextTableModel* model() const { return model_; }
  const SystemPictureData& data() const { return data_; }

 private:
  void recompute();

  study::SystemProblem problem_;
  SystemPictureData data_;
  SystemView view_ = SystemView::Phase;
  QComboBox* views_;
  QSpinBox* steps_;
  QLabel* note_;
  QWidget* picture_;
  QTableView* table_;
  TextTableModel* model_;
};

}  // namespace kemi::lab
