// The system panel: the picture is painted from the figures library's data on every paint (the
// data is computed once per system and N), the table is built from the same polygons.
#include "lab/system_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <stdexcept>

#include "lab/lab_widgets.h"
#include "lab/text_table_model.h"
#include "study/system_methods.h"
#include "study/system_solution.h"
#include "study/text_table.h"

namespace kemi::lab {
namespace {

constexpr int kDefaultSteps = 8;   // as `kemi-lab compare` draws
constexpr int kMostSteps = 10000;  // the picture and table stay within a frame or two

class SystemCanvas : public QWidget {
 public:
  SystemCanvas(const SystemPictureData& data, const SystemView& view, QWidget* parent)
      : QWidget(parent), data_(data), view_(view) {
    setMinimumSize(320, 240);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (data_.xs.empty()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintSystemPicture(painter, QRectF(rect()), data_, view_);
  }

 private:
  const SystemPictureData& data_;
  const SystemView& view_;
};

// method,N,x,y1,y2,exact1,exact2,error: each method's end against the solution at x1.
study::TextTable endsText(const SystemPictureData& data, const Vec2& end) {
  const auto text = [](double v) { return study::shortestText(v); };
  study::TextTable table;
  const std::string name = data.exact ? "exact" : "reference";
  table.header = {"method", "N", "x", "y1", "y2", name + "1", name + "2", "error"};
  for (const study::SystemPolygon& p : data.polygons) {
    const Vec2& y = p.y.back();
    table.rows.push_back({std::string(study::systemMethodId(p.method)), std::to_string(data.n),
                          text(p.x.back()), text(y[0]), text(y[1]), text(end[0]), text(end[1]),
                          p.failedStep != 0 ? std::string() : text(study::maxNorm(y, end))});
  }
  return table;
}

}  // namespace

SystemPanel::SystemPanel(QWidget* parent)
    : QWidget(parent),
      views_(new QComboBox(this)),
      steps_(new QSpinBox(this)),
      note_(new QLabel(this)),
      model_(new TextTableModel(this)) {
  setObjectName(QStringLiteral("systemPanel"));
  views_->setObjectName(QStringLiteral("systemView"));
  views_->setAccessibleName(tr("System view"));
  views_->addItem(tr("Phase plane (y2 against y1)"));
  views_->addItem(tr("Components against x"));
  views_->addItem(tr("Invariant drift (log scale)"));
  steps_->setObjectName(QStringLiteral("systemN"));
  steps_->setAccessibleName(tr("Number of steps N"));
  steps_->setRange(1, kMostSteps);
  steps_->setValue(kDefaultSteps);
  auto* viewLabel = new QLabel(tr("&View"), this);
  viewLabel->setBuddy(views_);
  auto* stepsLabel = new QLabel(tr("&N"), this);
  stepsLabel->setBuddy(steps_);
  auto* controls = new QHBoxLayout;
  controls->addWidget(viewLabel);
  controls->addWidget(views_);
  controls->addWidget(stepsLabel);
  controls->addWidget(steps_);
  controls->addStretch();
  note_->setObjectName(QStringLiteral("systemNote"));
  note_->setWordWrap(true);
  picture_ = new SystemCanvas(data_, view_, this);
  picture_->setObjectName(QStringLiteral("systemPicture"));
  picture_->setAccessibleName(tr("System picture"));
  table_ = makeTableView(model_, tr("Ends and errors"), this);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(picture_);
  split->addWidget(table_);
  split->setStretchFactor(0, 4);
  split->setStretchFactor(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(controls);
  layout->addWidget(note_);
  layout->addWidget(split, 1);
  connect(views_, &QComboBox::currentIndexChanged, this,
          [this](int index) { setView(static_cast<SystemView>(index)); });
  connect(steps_, &QSpinBox::valueChanged, this, &SystemPanel::recompute);
}

void SystemPanel::setSystem(const study::SystemProblem& problem) {
  problem_ = problem;
  const bool invariant = study::hasInvariant(problem.system);
  if (!invariant && view_ == SystemView::Invariant) setView(SystemView::Phase);
  recompute();
}

void SystemPanel::setView(SystemView view) {
  view_ = view;
  if (views_->currentIndex() != static_cast<int>(view))
    views_->setCurrentIndex(static_cast<int>(view));
  picture_->setAccessibleDescription(data_.xs.empty() ? QString()
                                                      : describeSystemPicture(data_, view_));
  picture_->update();
}

void SystemPanel::recompute() {
  std::vector<std::size_t> methods;
  for (std::size_t m = 0; m < study::kSystemMethodCount; ++m)
    if (!study::isSymplectic(m) || study::isSecondOrderWithoutVelocity(problem_.system))
      methods.push_back(m);
  QString note;
  try {
    data_ = systemPictureData(problem_, steps_->value(), methods);
    // The abscissae accumulate as the steps' do, so the last one is the methods' end.
    const double h = (problem_.x1 - problem_.x0) / static_cast<double>(data_.n);
    std::vector<double> xs{problem_.x0};
    for (std::int64_t i = 1; i <= data_.n; ++i) xs.push_back(xs.back() + h);
    const study::SystemSolution solution(problem_, xs);
    model_->setTable(endsText(data_, solution.at(xs.back())));
    for (const study::SystemPolygon& p : data_.polygons)
      if (p.failedStep != 0)
        note += tr("%1 stops at step %2, whose point left the range of a double. ")
                    .arg(QString::fromLatin1(
                        study::systemMethodId(p.method).data(),
                        static_cast<qsizetype>(study::systemMethodId(p.method).size())))
                    .arg(p.failedStep);
  } catch (const std::exception& e) {
    data_ = {};
    model_->setTable({});
    note = QString::fromStdString(e.what());
  }
  if (!study::hasInvariant(problem_.system))
    note += tr("This system has no invariant, so the drift view stays empty.");
  note_->setText(note.trimmed());
  setView(view_);
}

}  // namespace kemi::lab
