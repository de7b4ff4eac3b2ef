// The adaptive tab: entries, the attempts' table and the three pictures.
#include "lab/adaptive_tab.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "lab/adaptive_picture.h"
#include "lab/adaptive_runner.h"
#include "lab/equation_check.h"
#include "lab/input_check.h"
#include "lab/lab_accessible.h"
#include "lab/lab_widgets.h"
#include "lab/text_table_model.h"
#include "study/adaptive_sweep.h"
#include "study/adaptive_text.h"
#include "study/study_input.h"

namespace kemi::lab {
namespace {

constexpr int kRkf = 4;
constexpr std::int64_t kFixedMaxN = std::int64_t{1} << 16;

// The tolerance entry: a number from kSmallestTolerance up; the reason it is refused, or empty.
QString checkTolerance(const QString& text, double& tol) {
  const std::optional<double> value = study::readNumber(text.trimmed().toStdString());
  if (!value || !std::isfinite(*value)) return AdaptiveTab::tr("Enter a number such as 1e-6.");
  if (*value <= 0.0) return AdaptiveTab::tr("The tolerance must be positive.");
  if (*value < study::kSmallestTolerance) return AdaptiveTab::tr("At least 1e-14.");
  tol = *value;
  return {};
}

}  // namespace

AdaptiveTab::AdaptiveTab(QWidget* parent)
    : LabTab(parent), model_(new TextTableModel(this)), runner_(new AdaptiveRunner(this)) {
  setObjectName(QStringLiteral("adaptiveTab"));
  auto* layout = new QVBoxLayout(this);
  auto* inputs = new QGridLayout;
  layout->addLayout(inputs);
  method_ = addMethodBox(inputs, 0, 0, tr("Step &method"), QStringLiteral("adaptiveMethod"),
                         tr("Step method"));
  method_->setCurrentIndex(kRkf);
  tol_ = addEntry(inputs, 0, 2, tr("&tol"), QStringLiteral("adaptiveTol"),
                  tr("Tolerance, absolute and relative"));
  x1_ =
      addEntry(inputs, 0, 5, tr("&x1"), QStringLiteral("adaptiveX1"), tr("x1, the end of the run"));
  tol_.edit->setText(QStringLiteral("1e-6"));
  x1_.edit->setText(QStringLiteral("1"));
  runButton_ = new QPushButton(tr("&Run"), this);
  runButton_->setObjectName(QStringLiteral("adaptiveRun"));
  inputs->addWidget(runButton_, 0, 8);
  compareButton_ = new QPushButton(tr("Compare with &fixed h"), this);
  compareButton_->setObjectName(QStringLiteral("adaptiveCompare"));
  compareButton_->setToolTip(
      tr("Run tol = 1e-1 ... 1e-12 and N = 1, 2, 4, ... and draw error against work"));
  inputs->addWidget(compareButton_, 0, 9);
  cancelButton_ = new QPushButton(tr("Cancel"), this);
  cancelButton_->setObjectName(QStringLiteral("adaptiveCancel"));
  cancelButton_->setToolTip(tr("Stop the run and keep its attempts so far (Esc)"));
  cancelButton_->setEnabled(false);
  inputs->addWidget(cancelButton_, 0, 10);
  inputs->setColumnStretch(11, 1);
  status_ = new QLabel(this);
  makeStatusLine(status_);
  status_->setObjectName(QStringLiteral("adaptiveStatus"));
  status_->setWordWrap(true);
  layout->addWidget(status_);

  view_ = makeTableView(model_, tr("Adaptive attempts"), this);
  runPicture_ = new AdaptivePicture(AdaptivePicture::View::Run, tr("Adaptive steps"), this);
  estimates_ = new AdaptivePicture(AdaptivePicture::View::Estimates,
                                   tr("Estimate and true local error"), this);
  workPrecision_ = new AdaptivePicture(AdaptivePicture::View::WorkPrecision,
                                       tr("Adaptive against fixed step size"), this);
  auto* pictures = new QSplitter(Qt::Vertical, this);
  pictures->addWidget(runPicture_);
  pictures->addWidget(estimates_);
  pictures->addWidget(workPrecision_);
  pictures->setSizes({420, 220, 220});
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(pictures);
  split->addWidget(view_);
  split->setSizes({640, 640});
  layout->addWidget(split, 1);

  for (auto key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* enter = new QShortcut(QKeySequence(key), this, this, &AdaptiveTab::run);
    enter->setContext(Qt::WidgetWithChildrenShortcut);
  }
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &AdaptiveTab::cancel);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(runButton_, &QPushButton::clicked, this, &AdaptiveTab::run);
  connect(cancelButton_, &QPushButton::clicked, this, &AdaptiveTab::cancel);
  connect(runner_, &AdaptiveRunner::finished, this, &AdaptiveTab::onFinished);
  connect(compareButton_, &QPushButton::clicked, this, &AdaptiveTab::compare);
  connect(method_, &QComboBox::currentIndexChanged, this, &AdaptiveTab::run);
  connect(tol_.edit, &QLineEdit::textChanged, this, &AdaptiveTab::check);
  connect(x1_.edit, &QLineEdit::textChanged, this, &AdaptiveTab::check);
  check();
}

bool AdaptiveTab::read(double& tol, double& x1) const {
  setEntryProblem(tol_.edit, tol_.reason, checkTolerance(tol_.edit->text(), tol));
  setEntryProblem(x1_.edit, x1_.reason, checkX1(x1_.edit->text(), problem_.x0, x1));
  return tol_.reason->text().isEmpty() && x1_.reason->text().isEmpty();
}

void AdaptiveTab::check() {
  double tol = 0.0, x1 = 0.0;
  const bool ok = read(tol, x1) && !runner_->running();
  runButton_->setEnabled(ok);
  compareButton_->setEnabled(ok);
}

void AdaptiveTab::run() {
  if (!runner_->running()) start(false);
}

void AdaptiveTab::compare() {
  if (!runner_->running()) start(true);
}

void AdaptiveTab::cancel() {
  runner_->cancel();
}

bool AdaptiveTab::running() const {
  return runner_->running();
}

void AdaptiveTab::start(bool sweep) {
  double tol = 0.0, x1 = 0.0;
  if (!read(tol, x1)) {
    // Another equation whose x0 refuses the x1 entry: the work on the former one is dropped.
    if (runner_->running()) {
      runner_->discard();
      setBusy(false);
    }
    return;
  }
  study::Problem problem = problem_;
  problem.x1 = x1;
  const auto method = static_cast<std::size_t>(method_->currentIndex());
  if (sweep)
    runner_->startSweep(problem, method, kFixedMaxN);
  else
    runner_->startRun(problem, {method, tol, tol, std::nullopt, true});
  setBusy(true);
  setStatus(status_, sweep ? tr("Running tol = 1e-1 ... 1e-12 and the fixed-step sweep...")
                           : tr("Running..."));
}

// While work runs only Cancel is enabled; the focus goes with it, and back to Run after.
void AdaptiveTab::setBusy(bool busy) {
  QWidget* const entries[] = {method_, tol_.edit, x1_.edit, runButton_, compareButton_};
  const bool hadFocus = busy ? std::any_of(std::begin(entries), std::end(entries),
                                           [](const QWidget* w) { return w->hasFocus(); })
                             : cancelButton_->hasFocus();
  if (busy) cancelButton_->setEnabled(true);
  if (busy && hadFocus) cancelButton_->setFocus(Qt::OtherFocusReason);
  method_->setEnabled(!busy);
  tol_.edit->setEnabled(!busy);
  x1_.edit->setEnabled(!busy);
  check();
  if (!busy && hadFocus) runButton_->setFocus(Qt::OtherFocusReason);
  if (!busy) cancelButton_->setEnabled(false);
}

void AdaptiveTab::onFinished(const AdaptiveWork& work) {
  setBusy(false);
  if (!work.error.isEmpty()) {
    setStatus(status_, work.error);
    return;
  }
  if (work.sweep) {
    const auto method = static_cast<std::size_t>(method_->currentIndex());
    workPrecision_->setSweep(work.adaptive.rows, work.fixed, method);
    setStatus(status_, (work.cancelled ? tr("Cancelled: the comparison keeps %1 adaptive and %2 "
                                            "fixed-step runs.")
                                       : tr("Compared %1 adaptive and %2 fixed-step runs."))
                           .arg(work.adaptive.rows.size())
                           .arg(work.fixed.size()));
    return;
  }
  const AdaptivePictureData data{work.problem, static_cast<std::size_t>(method_->currentIndex()),
                                 work.run};
  model_->setTable(study::adaptiveText(data.result));
  if (model_->rowCount() <= 2000) view_->resizeColumnsToContents();
  runPicture_->setRun(data);
  estimates_->setRun(data);
  if (work.cancelled) {
    setStatus(status_, tr("Cancelled after %1 attempts: the table and pictures keep them.")
                           .arg(data.result.attempts.size()));
    return;
  }
  QString text = adaptiveDescription(data);
  if (!data.result.cause.empty())
    text += QLatin1Char(' ') + QString::fromStdString(data.result.cause) + QLatin1Char('.');
  setStatus(status_, text);
}

QWidget* AdaptiveTab::picture() const {
  if (estimates_->hasFocus()) return estimates_;
  if (workPrecision_->hasFocus()) return workPrecision_;
  return runPicture_;
}

study::TextTable AdaptiveTab::currentTable() const {
  return model_->table();
}

QString AdaptiveTab::fileBaseName() const {
  return QStringLiteral("kemi-lab-adaptive-") + method_->currentText();
}

void AdaptiveTab::setProblem(const study::Problem& problem) {
  study::Problem before = problem_;
  before.x1 = problem.x1;
  const bool other = !sameProblem(problem, before);
  problem_ = problem;
  if (other) x1_.edit->setText(QString::fromStdString(study::shortestText(problem.x1)));
  start(false);  // work under way on the former equation is dropped
}

void AdaptiveTab::loadSettings(const QSettings& settings) {
  const int method = settings.value(QStringLiteral("adaptive/method"), kRkf).toInt();
  if (method >= 0 && method < method_->count()) method_->setCurrentIndex(method);
  tol_.edit->setText(settings.value(QStringLiteral("adaptive/tol"), tol_.edit->text()).toString());
  x1_.edit->setText(settings.value(QStringLiteral("adaptive/x1"), x1_.edit->text()).toString());
  check();
}

void AdaptiveTab::saveSettings(QSettings& settings) const {
  settings.setValue(QStringLiteral("adaptive/method"), method_->currentIndex());
  settings.setValue(QStringLiteral("adaptive/tol"), tol_.edit->text());
  settings.setValue(QStringLiteral("adaptive/x1"), x1_.edit->text());
}

}  // namespace kemi::lab
