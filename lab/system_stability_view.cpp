// The system stability view: the study's rows fill the table and the notes, the region picture
// paints the same marks as the command line's `stability --chart` at the widget's size.
#include "lab/system_stability_view.h"

#include <QLabel>
#include <QPainter>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <exception>
#include <numeric>

#include "core/method_table.h"
#include "figures/region_picture.h"
#include "lab/lab_widgets.h"
#include "lab/text_table_model.h"
#include "study/system_methods.h"
#include "study/system_stability.h"
#include "study/system_text.h"

namespace kemi::lab {
namespace {

class RegionCanvas : public QWidget {
 public:
  RegionCanvas(RegionPicture& regions, const SystemRegionMarks& marks, QWidget* parent)
      : QWidget(parent), regions_(regions), marks_(marks) {
    setMinimumSize(320, 240);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    regions_.setSize(size());
    paintSystemRegions(painter, regions_, marks_.lambdas, marks_.h);
  }

 private:
  RegionPicture& regions_;
  const SystemRegionMarks& marks_;
};

}  // namespace

SystemStabilityView::SystemStabilityView(QWidget* parent)
    : QWidget(parent),
      regions_(std::make_unique<RegionPicture>()),
      note_(new QLabel(this)),
      model_(new TextTableModel(this)) {
  setObjectName(QStringLiteral("systemStability"));
  picture_ = new RegionCanvas(*regions_, marks_, this);
  picture_->setObjectName(QStringLiteral("systemRegions"));
  picture_->setAccessibleName(tr("Stability regions with the system's h*lambda"));
  note_->setObjectName(QStringLiteral("systemStabilityNote"));
  note_->setWordWrap(true);
  note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  table_ = makeTableView(model_, tr("System stability limits"), this);
  auto* right = new QWidget(this);
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  rightLayout->addWidget(table_, 1);
  rightLayout->addWidget(note_);
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(picture_);
  split->addWidget(right);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(split);
}

SystemStabilityView::~SystemStabilityView() = default;

void SystemStabilityView::setSystem(const study::SystemProblem& problem) {
  std::vector<std::size_t> methods(kMethods.size());
  std::iota(methods.begin(), methods.end(), std::size_t{0});
  if (study::isSecondOrderWithoutVelocity(problem.system))
    methods.insert(methods.end(), {study::kSymplecticEuler, study::kVerlet});
  QString note =
      tr("h*lambda is marked (\u00d7) for each eigenvalue lambda of the Jacobian "
         "along the solution and its conjugate. imag_limit is how far a method's "
         "region reaches along the imaginary axis, where the oscillator's h*lambda "
         "lie.");
  try {
    const std::vector<study::SystemStabilityRow> rows =
        study::systemStabilityRows(problem, methods);
    model_->setTable(study::systemStabilityText(rows));
    marks_ = systemRegionMarks(problem, rows);
    for (const std::string& line : study::systemStabilityNotes(rows))
      note += QStringLiteral("\n\u2022 ") + QString::fromStdString(line);
    picture_->setAccessibleDescription(
        tr("The stability regions with h*lambda marked for %1 eigenvalues, h = %2.")
            .arg(marks_.lambdas.size())
            .arg(marks_.h));
  } catch (const std::exception& e) {
    model_->setTable(study::systemStabilityText({}));
    marks_ = {};
    note = QString::fromStdString(e.what());
  }
  regions_->setStepPoint(NAN, marks_.h);
  note_->setText(note);
  table_->resizeColumnsToContents();
  picture_->update();
}

void SystemStabilityView::setRegionMethods(const std::vector<std::size_t>& methods) {
  regions_->setMethods(methods);
  picture_->update();
}

}  // namespace kemi::lab
