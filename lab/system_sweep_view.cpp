// The system sweep view: the chart is painted from the rows on every paint, the table holds
// the command line's text of the same rows.
#include "lab/system_sweep_view.h"

#include <QPainter>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "figures/system_convergence_chart.h"
#include "lab/lab_widgets.h"
#include "lab/text_table_model.h"
#include "study/system_text.h"

namespace kemi::lab {
namespace {

class SweepCanvas : public QWidget {
 public:
  SweepCanvas(const SystemSweepView& view, QWidget* parent) : QWidget(parent), view_(view) {
    setMinimumSize(320, 240);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintSystemConvergence(painter, QRectF(rect()), view_.rows(), view_.windowTitle());
  }

 private:
  const SystemSweepView& view_;
};

}  // namespace

SystemSweepView::SystemSweepView(QWidget* parent)
    : QWidget(parent), model_(new TextTableModel(this)) {
  setObjectName(QStringLiteral("systemSweep"));
  picture_ = new SweepCanvas(*this, this);
  picture_->setObjectName(QStringLiteral("systemSweepChart"));
  picture_->setAccessibleName(tr("System convergence chart"));
  table_ = makeTableView(model_, tr("System convergence rows"), this);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(picture_);
  split->addWidget(table_);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(split);
  model_->setTable(study::systemConvergenceText({}, true));
}

void SystemSweepView::setRows(std::vector<study::SystemConvergenceRow> rows, bool exact,
                              const QString& title) {
  rows_ = std::move(rows);
  setWindowTitle(title);
  model_->setTable(study::systemConvergenceText(rows_, exact));
  picture_->setAccessibleDescription(describeSystemConvergence(rows_));
  picture_->update();
}

}  // namespace kemi::lab
