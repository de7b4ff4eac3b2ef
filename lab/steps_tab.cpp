// The steps tab: entries, the step table and its chart.
#include "lab/steps_tab.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "core/equation.h"
#include "lab/chart_description.h"
#include "lab/equation_check.h"
#include "lab/input_check.h"
#include "lab/lab_accessible.h"
#include "lab/lab_widgets.h"
#include "lab/method_style.h"
#include "lab/stage_picture.h"
#include "lab/step_table_model.h"
#include "lab/system_steps_view.h"
#include "lab/text_table_model.h"
#include "study/step_table.h"
#include "study/system_methods.h"

namespace kemi::lab {
namespace {

// Markers stop helping a reader long before a hundred thousand points; the line stays.
constexpr int kMostMarkers = 400;
constexpr int kExactSamples = 200;

}  // namespace

StepsTab::StepsTab(QWidget* parent) : LabTab(parent), model_(new StepTableModel(this)) {
  setObjectName(QStringLiteral("stepsTab"));
  auto* layout = new QVBoxLayout(this);
  auto* inputs = new QGridLayout;
  layout->addLayout(inputs);
  method_ =
      addMethodBox(inputs, 0, 0, tr("Step &method"), QStringLiteral("method"), tr("Step method"));
  const Entry x1 =
      addEntry(inputs, 0, 2, tr("&x1"), QStringLiteral("stepsX1"), tr("x1, the end of the steps"));
  const Entry n =
      addEntry(inputs, 0, 5, tr("&N"), QStringLiteral("stepsN"), tr("Number of steps N"));
  x1Edit_ = x1.edit, x1Reason_ = x1.reason, nEdit_ = n.edit, nReason_ = n.reason;
  x1Edit_->setText(QStringLiteral("0.4"));
  nEdit_->setText(QStringLiteral("4"));
  runButton_ = new QPushButton(tr("&Run"), this);
  runButton_->setObjectName(QStringLiteral("stepsRun"));
  runButton_->setAccessibleName(tr("Compute the step table"));
  runButton_->setToolTip(tr("Compute the step table (Enter)"));
  inputs->addWidget(runButton_, 0, 8);
  inputs->setColumnStretch(9, 1);
  status_ = new QLabel(this);
  makeStatusLine(status_);
  status_->setObjectName(QStringLiteral("stepsStatus"));
  status_->setWordWrap(true);
  layout->addWidget(status_);

  chart_ = new QChart;
  chart_->setTitle(tr("Exact solution and the numerical points"));
  chart_->legend()->setAlignment(Qt::AlignBottom);
  chart_->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
  chartView_ = makeChartView(chart_, tr("Step chart"), this);
  view_ = makeTableView(model_, tr("Step table"), this);
  stagePicture_ = new StagePicture(this);
  auto* pictures = new QSplitter(Qt::Vertical, this);
  pictures->addWidget(chartView_);
  pictures->addWidget(stagePicture_);
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(pictures);
  split->addWidget(view_);
  split->setStretchFactor(0, 2);
  split->setStretchFactor(1, 3);
  split->setSizes({520, 760});
  systemModel_ = new TextTableModel(this);
  systemView_ = makeTableView(systemModel_, tr("System step table"), this);
  results_ = new QStackedWidget(this);
  results_->addWidget(split);
  results_->addWidget(systemView_);
  layout->addWidget(results_, 1);

  for (auto key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* enter = new QShortcut(QKeySequence(key), this, this, &StepsTab::run);
    enter->setContext(Qt::WidgetWithChildrenShortcut);
  }
  connect(runButton_, &QPushButton::clicked, this, &StepsTab::run);
  connect(method_, &QComboBox::currentIndexChanged, this, &StepsTab::run);
  connect(x1Edit_, &QLineEdit::textChanged, this, &StepsTab::check);
  connect(nEdit_, &QLineEdit::textChanged, this, &StepsTab::check);
  connect(model_, &QAbstractItemModel::modelReset, this, &StepsTab::refillChart);
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &StepsTab::showStage);
  check();
}

void StepsTab::check() {
  double x1 = 0.0;
  std::int64_t n = 0;
  const double x0 = system_ ? system_->x0 : problem_.x0;
  setEntryProblem(x1Edit_, x1Reason_, checkX1(x1Edit_->text(), x0, x1));
  setEntryProblem(nEdit_, nReason_, checkN(nEdit_->text(), study::kMaxTableSteps, n));
  runButton_->setEnabled(x1Reason_->text().isEmpty() && nReason_->text().isEmpty());
}

bool StepsTab::canRun() const {
  return runButton_->isEnabled();
}

void StepsTab::run() {
  if (!runButton_->isEnabled()) return;
  double x1 = 0.0;
  std::int64_t n = 0;
  checkX1(x1Edit_->text(), system_ ? system_->x0 : problem_.x0, x1);
  checkN(nEdit_->text(), study::kMaxTableSteps, n);
  const auto method = static_cast<std::size_t>(method_->currentIndex());
  if (system_) {
    study::SystemProblem problem = *system_;
    problem.x1 = x1;
    setStatus(status_, showSystemSteps(*systemModel_, problem, method, n));
    return;
  }
  study::Problem problem = problem_;
  problem.x1 = x1;
  study::StepTable table;
  try {
    table = study::buildStepTable(problem, method, n);
  } catch (const std::invalid_argument& e) {
    table.cause = e.what();
  }
  shownX1_ = x1;
  shownMethod_ = method;
  setStatus(status_, table.cause.empty() ? tr("%1 steps of h = %2 with %3.")
                                               .arg(n)
                                               .arg(QString::fromStdString(study::shortestText(
                                                        stepSize(problem.x0, x1, double(n)))),
                                                    method_->currentText())
                                         : QString::fromStdString(table.cause));
  model_->setTable(std::move(table));
  if (model_->rowCount() <= 2000) view_->resizeColumnsToContents();
  showStage();
}

// The step of the table's current row, the first step while row 0 or no row is current, on the
// equation the table was built on.
void StepsTab::showStage() {
  const int row = view_->currentIndex().isValid() ? view_->currentIndex().row() : 1;
  stagePicture_->setStep(problem_.equation, model_->steps(),
                         static_cast<std::size_t>(std::max(row, 1)), shownMethod_);
}

QTableView* StepsTab::currentTableView() const {
  return system_ ? systemView_ : view_;
}

QWidget* StepsTab::picture() const {
  if (system_) return systemView_;
  return stagePicture_->hasFocus() ? static_cast<QWidget*>(stagePicture_) : chartView_;
}

// SymplecticEuler and Verlet follow the seven in the choice, at their indexes of the nine.
void StepsTab::offerSymplectic(bool offer) {
  const QSignalBlocker quiet(method_);
  while (method_->count() > static_cast<int>(kMethods.size()))
    method_->removeItem(method_->count() - 1);
  for (const std::size_t m : {study::kSymplecticEuler, study::kVerlet})
    if (offer) method_->addItem(QString::fromLatin1(study::systemMethodId(m)));
}

void StepsTab::setSystem(const study::SystemProblem& problem) {
  system_ = problem;
  offerSymplectic(study::isSecondOrderWithoutVelocity(problem.system));
  results_->setCurrentWidget(systemView_);
  check();
  run();
}

void StepsTab::setProblem(const study::Problem& problem) {
  system_.reset();
  offerSymplectic(false);
  results_->setCurrentIndex(0);
  // Another equation brings its own interval; the same one keeps the x1 the student set.
  study::Problem before = problem_;
  before.x1 = problem.x1;
  const bool other = !sameProblem(problem, before);
  problem_ = problem;
  if (other) x1Edit_->setText(QString::fromStdString(study::shortestText(problem.x1)));
  check();  // the same text may be refused, or accepted, against another x0
  run();
}

// The numerical points come from the model's x and y columns, so the chart shows exactly the
// table's numbers; the exact curve is sampled between x0 and x1, or without one the table's
// reference column is drawn.
void StepsTab::refillChart() {
  chart_->removeAllSeries();
  for (QAbstractAxis* axis : chart_->axes()) chart_->removeAxis(axis), delete axis;
  auto* exact = new QLineSeries;
  const auto solution = study::exactFunction(problem_.equation, problem_.x0, problem_.y0);
  chart_->setTitle(solution ? tr("Exact solution and the numerical points")
                            : tr("Reference solution and the numerical points"));
  exact->setName(solution ? tr("exact solution") : tr("reference solution"));
  exact->setPen(QPen(QColor(0x60, 0x60, 0x60), 2.0));
  for (int i = 0; solution && i <= kExactSamples; ++i) {
    const double x = problem_.x0 + (shownX1_ - problem_.x0) * i / kExactSamples;
    exact->append(x, solution(x));
  }
  for (int r = 0; !solution && r < model_->rowCount(); ++r)
    if (std::isfinite(model_->number(r, 3)))
      exact->append(model_->number(r, 1), model_->number(r, 3));
  auto* line = new QLineSeries;
  auto* points = new QScatterSeries;
  line->setPen(linePen(shownMethod_));
  styleMarkers(points, shownMethod_);
  points->setName(tr("%1 points").arg(method_->itemText(static_cast<int>(shownMethod_))));
  for (int r = 0; r < model_->rowCount(); ++r) {
    const double x = model_->number(r, 1), y = model_->number(r, 2);
    if (!std::isfinite(x) || !std::isfinite(y)) break;
    line->append(x, y);
    if (model_->rowCount() <= kMostMarkers) points->append(x, y);
  }
  chart_->addSeries(exact);
  chart_->addSeries(line);
  chart_->addSeries(points);
  chart_->createDefaultAxes();
  for (QAbstractAxis* axis : chart_->axes())
    if (auto* value = qobject_cast<QValueAxis*>(axis)) value->applyNiceNumbers();
  chart_->axes(Qt::Horizontal).front()->setTitleText(QStringLiteral("x"));
  chart_->axes(Qt::Vertical).front()->setTitleText(QStringLiteral("y"));
  for (QLegendMarker* marker : chart_->legend()->markers(line)) marker->setVisible(false);
  chartView_->setAccessibleDescription(
      describeSteps(model_->steps(), method_->itemText(static_cast<int>(shownMethod_)), shownX1_));
}

study::TextTable StepsTab::currentTable() const {
  return system_ ? systemModel_->table() : model_->table();
}

QString StepsTab::fileBaseName() const {
  if (system_) return QStringLiteral("kemi-lab-system-steps-") + method_->currentText();
  return QStringLiteral("kemi-lab-steps-") + method_->itemText(static_cast<int>(shownMethod_));
}

void StepsTab::loadSettings(const QSettings& settings) {
  const int method = settings.value(QStringLiteral("steps/method"), 0).toInt();
  if (method >= 0 && method < method_->count()) method_->setCurrentIndex(method);
  x1Edit_->setText(settings.value(QStringLiteral("steps/x1"), x1Edit_->text()).toString());
  nEdit_->setText(settings.value(QStringLiteral("steps/N"), nEdit_->text()).toString());
  check();
}

void StepsTab::saveSettings(QSettings& settings) const {
  settings.setValue(QStringLiteral("steps/method"), method_->currentIndex());
  settings.setValue(QStringLiteral("steps/x1"), x1Edit_->text());
  settings.setValue(QStringLiteral("steps/N"), nEdit_->text());
}

}  // namespace kemi::lab
