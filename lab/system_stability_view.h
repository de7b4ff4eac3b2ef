// What the stability tab shows for a system: each method's region in the complex plane with
// h * lambda marked for the eigenvalues along the solution, the limits table (lambda, h_limit,
// n_min beside the imaginary-axis limit) and, in words, the methods no step keeps stable.
#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "figures/system_regions.h"
#include "study/system.h"

class QLabel;
class QTableView;

namespace kemi::lab {

class RegionPicture;
class TextTableModel;

class SystemStabilityView : public QWidget {
  Q_OBJECT

 public:
  explicit SystemStabilityView(QWidget* parent = nullptr);
  ~SystemStabilityView() override;

  // The rows of the seven methods and of the symplectic two where they apply.
  void setSystem(const study::SystemProblem& problem);
  // The regions drawn, as indexes into the seven.
  void setRegionMethods(const std::vector<std::size_t>& methods);

  QWidget* picture() const { return picture_; }
  QTableView* table() const { return table_; }
  TextTableModel* model() const { return model_; }
  QLabel* note() const { return note_; }

 private:
  std::unique_ptr<RegionPicture> regions_;
  SystemRegionMarks marks_;
  QWidget* picture_;
  QLabel* note_;
  QTableView* table_;
  TextTableModel* model_;
};

}  // namespace kemi::lab
