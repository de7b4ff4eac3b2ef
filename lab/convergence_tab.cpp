// The convergence tab: entries and their checks, the sweep's start and stop, and the views of
// the one model its rows land in.
#include "lab/convergence_tab.h"

#include <QChartView>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <numeric>
#include <utility>

#include "core/method_table.h"
#include "lab/chart_description.h"
#include "lab/convergence_chart.h"
#include "lab/convergence_model.h"
#include "lab/equation_check.h"
#include "lab/input_check.h"
#include "lab/lab_accessible.h"
#include "lab/lab_widgets.h"
#include "lab/method_choice.h"
#include "lab/summary.h"
#include "lab/sweep_runner.h"
#include "lab/system_sweep_view.h"
#include "lab/text_table_model.h"
#include "study/system_methods.h"
#include "study/text_table.h"

namespace kemi::lab {
namespace {

constexpr int kFlushMs = 100;

}  // namespace

ConvergenceTab::ConvergenceTab(QWidget* parent)
    : LabTab(parent),
      model_(new ConvergenceModel(this)),
      summary_(new TextTableModel(this)),
      chart_(new ConvergenceChart(model_, this)),
      runner_(new SweepRunner(this)) {
  setObjectName(QStringLiteral("convergenceTab"));
  auto* inputs = new QGridLayout;
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(inputs);
  const Entry x1 = addEntry(inputs, 0, 0, tr("&x1"), QStringLiteral("x1"),
                            tr("x1, where the error is measured"));
  const Entry n = addEntry(inputs, 0, 3, tr("&Largest N"), QStringLiteral("largestN"),
                           tr("Largest number of steps N"));
  x1Edit_ = x1.edit, x1Reason_ = x1.reason, nEdit_ = n.edit, nReason_ = n.reason;
  x1Edit_->setText(QStringLiteral("1"));
  nEdit_->setText(QString::number(std::int64_t{1} << 24));

  auto* methods = new QHBoxLayout;
  methods->addWidget(new QLabel(tr("Methods:"), this));
  std::vector<std::size_t> all(kMethods.size());
  std::iota(all.begin(), all.end(), std::size_t{0});
  methods_ = new MethodChoice(QStringLiteral("method_"), tr("Include "), all, this);
  methods->addWidget(methods_);
  connect(methods_, &MethodChoice::changed, this, &ConvergenceTab::check);
  methodsReason_ = makeReasonLabel(this);
  methodsReason_->setObjectName(QStringLiteral("methodsReason"));
  methods->addWidget(methodsReason_);
  methods->addStretch();
  inputs->addLayout(methods, 1, 0, 1, 6);

  auto* controls = new QHBoxLayout;
  runButton_ = new QPushButton(tr("&Run"), this);
  cancelButton_ = new QPushButton(tr("Cancel"), this);
  progress_ = new QProgressBar(this);
  status_ = new QLabel(this);
  makeStatusLine(status_);
  workPrecision_ = new QCheckBox(tr("&Work-precision view (x: f evaluations)"), this);
  runButton_->setObjectName(QStringLiteral("run"));
  cancelButton_->setObjectName(QStringLiteral("cancel"));
  progress_->setObjectName(QStringLiteral("progress"));
  status_->setObjectName(QStringLiteral("status"));
  workPrecision_->setObjectName(QStringLiteral("workPrecision"));
  runButton_->setAccessibleName(tr("Run the sweep"));
  cancelButton_->setAccessibleName(tr("Cancel the sweep"));
  progress_->setAccessibleName(tr("Sweep progress"));
  workPrecision_->setAccessibleName(tr("Plot the error against f evaluations"));
  runButton_->setToolTip(tr("Run the sweep (Enter)"));
  cancelButton_->setToolTip(tr("Stop the sweep (Esc)"));
  progress_->setRange(0, 1000);
  progress_->setTextVisible(false);
  status_->setWordWrap(true);
  controls->addWidget(runButton_);
  controls->addWidget(cancelButton_);
  controls->addWidget(progress_, 1);
  controls->addWidget(workPrecision_);
  layout->addLayout(controls);
  layout->addWidget(status_);

  chartView_ = makeChartView(chart_->chart(), tr("Convergence chart"), this);
  rowsView_ = makeTableView(model_, tr("Convergence rows"), this);
  summaryView_ = makeTableView(summary_, tr("Summary per method"), this);
  auto* top = new QSplitter(Qt::Horizontal, this);
  top->addWidget(chartView_);
  top->addWidget(summaryView_);
  top->setStretchFactor(0, 3);
  top->setStretchFactor(1, 2);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(top);
  split->addWidget(rowsView_);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 1);
  top->setSizes({700, 560});
  split->setSizes({560, 220});
  systemView_ = new SystemSweepView(this);
  results_ = new QStackedWidget(this);
  results_->addWidget(split);
  results_->addWidget(systemView_);
  layout->addWidget(results_, 1);
  // Tab in reading order: the chart and the summary beside it before the rows below them.
  setTabOrder(methods_->lastBox(), runButton_);
  setTabOrder(runButton_, cancelButton_);
  setTabOrder(cancelButton_, workPrecision_);
  setTabOrder(workPrecision_, chartView_);
  setTabOrder(chartView_, summaryView_);
  setTabOrder(summaryView_, rowsView_);

  for (auto key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* enter = new QShortcut(QKeySequence(key), this, this, &ConvergenceTab::run);
    enter->setContext(Qt::WidgetWithChildrenShortcut);
  }
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &ConvergenceTab::cancel);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(runButton_, &QPushButton::clicked, this, &ConvergenceTab::run);
  connect(cancelButton_, &QPushButton::clicked, this, &ConvergenceTab::cancel);
  connect(x1Edit_, &QLineEdit::textChanged, this, &ConvergenceTab::check);
  connect(nEdit_, &QLineEdit::textChanged, this, &ConvergenceTab::check);
  connect(workPrecision_, &QCheckBox::toggled, chart_, &ConvergenceChart::setWorkPrecision);
  flushTimer_ = new QTimer(this);
  flushTimer_->setSingleShot(true);
  flushTimer_->setInterval(kFlushMs);
  connect(flushTimer_, &QTimer::timeout, this, &ConvergenceTab::flushRows);
  connect(runner_, &SweepRunner::rowReady, this, [this](const study::ConvergenceRow& row) {
    pending_.push_back(row);
    if (!flushTimer_->isActive()) flushTimer_->start();
  });
  connect(runner_, &SweepRunner::progressChanged, progress_, &QProgressBar::setValue);
  connect(runner_, &SweepRunner::finished, this, &ConvergenceTab::onFinished);
  connect(chart_, &ConvergenceChart::refilled, this, [this] {
    summary_->setTable(summaryText(model_->rows()));
    chartView_->setAccessibleDescription(
        describeConvergence(summary_->table(), workPrecision_->isChecked()));
  });
  summary_->setTable(summaryText({}));
  chartView_->setAccessibleDescription(describeConvergence(summary_->table(), false));
  cancelButton_->setEnabled(false);
  check();
}

bool ConvergenceTab::running() const {
  return runner_->running();
}

bool ConvergenceTab::canRun() const {
  return runButton_->isEnabled();
}

// Shows why an entry is refused next to it; Run is enabled only when every entry is accepted
// and no sweep runs.
void ConvergenceTab::check() {
  double x1 = 0.0;
  std::int64_t n = 0;
  const double x0 = system_ ? system_->x0 : problem_.x0;
  setEntryProblem(x1Edit_, x1Reason_, checkX1(x1Edit_->text(), x0, x1));
  setEntryProblem(nEdit_, nReason_, checkN(nEdit_->text(), study::kMaxSteps, n));
  const bool any = !methods_->chosen().empty();
  methodsReason_->setText(any ? QString() : tr("Check at least one method."));
  const bool valid = x1Reason_->text().isEmpty() && nReason_->text().isEmpty() && any;
  runButton_->setEnabled(valid && !runner_->running());
}

void ConvergenceTab::run() {
  if (!runButton_->isEnabled()) return;
  study::ConvergenceSettings settings;
  checkX1(x1Edit_->text(), system_ ? system_->x0 : problem_.x0, settings.x1);
  checkN(nEdit_->text(), study::kMaxSteps, settings.maxN);
  settings.methods = methods_->chosen();
  if (system_ && study::isSecondOrderWithoutVelocity(system_->system))
    settings.methods.insert(settings.methods.end(), {study::kSymplecticEuler, study::kVerlet});
  pending_.clear();
  model_->clear();
  progress_->setValue(0);
  setStatus(status_, tr("Running..."));
  // Cancel first, so that focus leaving the disabled Run lands on it.
  cancelButton_->setEnabled(true);
  if (runButton_->hasFocus()) cancelButton_->setFocus(Qt::OtherFocusReason);
  runButton_->setEnabled(false);
  if (system_) {
    systemView_->setRows({}, true, QString());
    study::SystemProblem problem = *system_;
    problem.x1 = settings.x1;
    runner_->startSystem(problem, settings);
    return;
  }
  study::Problem problem = problem_;
  problem.x1 = settings.x1;
  runner_->start(problem, settings);
}

// Another equation brings its own interval and a new sweep; the same one changes nothing.
void ConvergenceTab::setProblem(const study::Problem& problem) {
  study::Problem before = problem_;
  before.x1 = problem.x1;
  const bool fromSystem = system_.has_value();
  system_.reset();
  results_->setCurrentIndex(0);
  workPrecision_->setEnabled(true);
  if (!fromSystem && sameProblem(problem, before)) return;
  problem_ = problem;
  if (running()) cancel();
  x1Edit_->setText(QString::fromStdString(study::shortestText(problem.x1)));
  check();  // the same text may be refused, or accepted, against another x0
  run();
}

void ConvergenceTab::setSystem(const study::SystemProblem& problem) {
  if (running()) cancel();
  system_ = problem;
  results_->setCurrentWidget(systemView_);
  workPrecision_->setEnabled(false);
  x1Edit_->setText(QString::fromStdString(study::shortestText(problem.x1)));
  check();
  run();
}

void ConvergenceTab::cancel() {
  runner_->cancel();
}

void ConvergenceTab::flushRows() {
  flushTimer_->stop();
  model_->addRows(std::exchange(pending_, {}));
}

// The rows that had arrived are all shown, also after Cancel: each is complete.
void ConvergenceTab::onFinished(bool cancelled, const QString& note) {
  flushRows();
  if (system_ && !cancelled) {
    study::SystemProblem problem = *system_;
    checkX1(x1Edit_->text(), problem.x0, problem.x1);
    systemView_->setRows(runner_->systemResult().rows, runner_->systemResult().exact,
                         QString::fromStdString(study::systemTitle(problem)));
  }
  const int rowCount = system_ ? systemView_->model()->rowCount() : model_->rowCount();
  chart_->refillNow();
  summaryView_->resizeColumnsToContents();
  const bool cancelHadFocus = cancelButton_->hasFocus();
  if (!cancelled) progress_->setValue(progress_->maximum());
  const QString rows = tr("%1 rows.").arg(rowCount);
  setStatus(status_, cancelled ? tr("Cancelled: the chart and tables keep the %1 "
                                    "complete rows.")
                                     .arg(rowCount)
                               : (note.isEmpty() ? rows : rows + QLatin1Char(' ') + note));
  check();
  if (cancelHadFocus) runButton_->setFocus(Qt::OtherFocusReason);
  cancelButton_->setEnabled(false);
  emit sweepFinished(cancelled);
}

QTableView* ConvergenceTab::currentTableView() const {
  if (system_) return systemView_->table();
  return summaryView_->hasFocus() ? summaryView_ : rowsView_;
}

study::TextTable ConvergenceTab::currentTable() const {
  if (system_) return systemView_->model()->table();
  return summaryView_->hasFocus() ? summary_->table() : model_->textTable();
}

QWidget* ConvergenceTab::picture() const {
  return system_ ? systemView_->picture() : chartView_;
}

QString ConvergenceTab::fileBaseName() const {
  if (system_) return QStringLiteral("kemi-lab-system-convergence");
  return summaryView_->hasFocus() ? QStringLiteral("kemi-lab-summary")
                                  : QStringLiteral("kemi-lab-convergence");
}

void ConvergenceTab::loadSettings(const QSettings& settings) {
  x1Edit_->setText(settings.value(QStringLiteral("convergence/x1"), x1Edit_->text()).toString());
  nEdit_->setText(
      settings.value(QStringLiteral("convergence/largestN"), nEdit_->text()).toString());
  const QStringList all = [] {
    QStringList ids;
    for (std::size_t m = 0; m < kMethods.size(); ++m) ids << methodCaption(m);
    return ids;
  }();
  const QStringList chosen =
      settings.value(QStringLiteral("convergence/methods"), all).toStringList();
  methods_->setChosenIds(chosen);
  workPrecision_->setChecked(settings.value(QStringLiteral("convergence/workPrecision")).toBool());
  check();
}

void ConvergenceTab::saveSettings(QSettings& settings) const {
  settings.setValue(QStringLiteral("convergence/x1"), x1Edit_->text());
  settings.setValue(QStringLiteral("convergence/largestN"), nEdit_->text());
  settings.setValue(QStringLiteral("convergence/methods"), methods_->chosenIds());
  settings.setValue(QStringLiteral("convergence/workPrecision"), workPrecision_->isChecked());
}

}  // namespace kemi::lab
