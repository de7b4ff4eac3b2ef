// The Solution tab: entries checked as typed, the picture and table redrawn on every accepted
// change (N is capped so that this stays well within a frame or two).
#include "lab/solution_tab.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/method_table.h"
#include "figures/solution_export.h"
#include "lab/chart_file.h"
#include "lab/input_check.h"
#include "lab/lab_widgets.h"
#include "lab/method_choice.h"
#include "lab/solution_view.h"
#include "lab/system_panel.h"
#include "lab/text_table_model.h"
#include "study/study_input.h"

namespace kemi::lab {
namespace {

QString text(double value) {
  return QString::fromStdString(study::shortestText(value));
}

QString checkNumber(const QString& entry, const char* name, double& value) {
  const auto read = study::readNumber(entry.trimmed().toStdString());
  if (!read || !std::isfinite(*read))
    return QCoreApplication::translate("kemi::lab::SolutionTab", "%1 must be a finite number.")
        .arg(QLatin1String(name));
  value = *read;
  return {};
}

}  // namespace

SolutionTab::SolutionTab(QWidget* parent)
    : LabTab(parent),
      view_(new SolutionView(this)),
      model_(new TextTableModel(this)),
      system_(new SystemPanel(this)),
      pages_(new QStackedWidget(this)) {
  setObjectName(QStringLiteral("solutionTab"));
  auto* inputs = new QGridLayout;
  const std::array<std::array<const char*, 3>, 4> entries{{
      {"x0", "solutionX0", "Start x0"},
      {"y0", "solutionY0", "Start y0"},
      {"x&1", "solutionX1", "End x1"},
      {"&N", "solutionN", "Number of steps N"},
  }};
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry e =
        addEntry(inputs, static_cast<int>(i / 2), static_cast<int>(i % 2) * 3, tr(entries[i][0]),
                 QString::fromLatin1(entries[i][1]), tr(entries[i][2]));
    edits_[i] = e.edit, reasons_[i] = e.reason;
    connect(e.edit, &QLineEdit::textChanged, this, &SolutionTab::check);
  }
  edits_[3]->setText(QStringLiteral("10"));
  auto* methods = new QHBoxLayout;
  methods->addWidget(new QLabel(tr("Methods:"), this));
  methods_ = new MethodChoice(QStringLiteral("solution_"), tr("Draw "), {0, 2, 3}, this);
  methods->addWidget(methods_);
  connect(methods_, &MethodChoice::changed, this, &SolutionTab::check);
  methodsReason_ = makeReasonLabel(this);
  methods->addWidget(methodsReason_);
  methods->addStretch();
  auto* wholeButton = new QPushButton(tr("&Whole solution"), this);
  wholeButton->setToolTip(tr("Show the whole solution again (Home in the picture)"));
  connect(wholeButton, &QPushButton::clicked, view_, &SolutionView::showWholeScene);
  methods->addWidget(wholeButton);
  inputs->addLayout(methods, 2, 0, 1, 6);
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("solutionNote"));
  note_->setWordWrap(true);

  table_ = makeTableView(model_, tr("Ends and errors"), this);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(view_);
  split->addWidget(table_);
  split->setStretchFactor(0, 4);
  split->setStretchFactor(1, 1);
  auto* equation = new QWidget(this);
  auto* layout = new QVBoxLayout(equation);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(inputs);
  layout->addWidget(note_);
  layout->addWidget(split, 1);
  pages_->addWidget(equation);
  pages_->addWidget(system_);
  auto* whole = new QVBoxLayout(this);
  whole->addWidget(pages_);
  connect(view_, &SolutionView::startChosen, this, &SolutionTab::setStart);
  filling_ = false;
  setProblem(problem_);
}

void SolutionTab::setSystem(const study::SystemProblem& problem) {
  pages_->setCurrentWidget(system_);
  system_->setSystem(problem);
}

bool SolutionTab::showsSystem() const {
  return pages_->currentWidget() == system_;
}

QTableView* SolutionTab::currentTableView() const {
  return showsSystem() ? system_->table() : table_;
}

void SolutionTab::setProblem(const study::Problem& problem) {
  pages_->setCurrentIndex(0);
  problem_ = problem;
  view_->setSlope(study::slopeFunction(problem.equation));
  filling_ = true;
  edits_[0]->setText(text(problem.x0));
  edits_[1]->setText(text(problem.y0));
  edits_[2]->setText(text(problem.x1));
  filling_ = false;
  check();
  view_->showWholeScene();
}

void SolutionTab::setStart(QPointF start) {
  const double length = request_.problem.x1 - request_.problem.x0;
  filling_ = true;
  edits_[0]->setText(text(start.x()));
  edits_[1]->setText(text(start.y()));
  edits_[2]->setText(text(start.x() + length));
  filling_ = false;
  check();
}

void SolutionTab::check() {
  if (filling_) return;
  study::Problem problem = problem_;
  std::int64_t n = 0;
  const std::array<QString, 4> reasons{checkNumber(edits_[0]->text(), "x0", problem.x0),
                                       checkNumber(edits_[1]->text(), "y0", problem.y0),
                                       checkNumber(edits_[2]->text(), "x1", problem.x1),
                                       checkN(edits_[3]->text(), kMaxPictureSteps, n)};
  bool ok = true;
  for (std::size_t i = 0; i < reasons.size(); ++i) {
    reasons_[i]->setText(reasons[i]);
    ok = ok && reasons[i].isEmpty();
  }
  if (ok && problem.x1 == problem.x0)
    reasons_[2]->setText(tr("x1 must differ from x0.")), ok = false;
  const std::vector<std::size_t> methods = methods_->chosen();
  methodsReason_->setText(methods.empty() ? tr("Choose at least one method.") : QString());
  if (!ok || methods.empty()) return;
  try {
    study::checkProblem(problem);
  } catch (const std::invalid_argument& e) {
    note_->setText(QString::fromUtf8(e.what()));
    return;
  }
  request_ = {problem, n, methods};
  redraw();
}

void SolutionTab::redraw() {
  result_ = solveForPicture(request_);
  note_->setText(result_.note);
  view_->setScene(result_.scene);
  view_->setAccessibleDescription(describeSolution(request_, result_));
  model_->setTable(solutionText(request_, result_));
  emit stepSizeChanged(
      stepSize(request_.problem.x0, request_.problem.x1, static_cast<double>(request_.n)));
}

bool SolutionTab::writePicture(const QString& path, QString& error) const {
  if (showsSystem()) return lab::writePicture(system_->picture(), path, 1.0, error);
  return writeSolutionPicture(view_->scene(), view_->viewBox(), view_->slope(), view_->size(),
                              view_->accessibleDescription(), path, error);
}

study::TextTable SolutionTab::currentTable() const {
  return showsSystem() ? system_->model()->table() : model_->table();
}

void SolutionTab::loadSettings(const QSettings& settings) {
  edits_[3]->setText(settings.value(QStringLiteral("solution/n"), QStringLiteral("10")).toString());
  const QString chosen = settings.value(QStringLiteral("solution/methods")).toString();
  if (chosen.isEmpty()) return;
  const study::MethodList list = study::readMethodList(chosen.toStdString());
  methods_->setChosen(list.methods);
}

void SolutionTab::saveSettings(QSettings& settings) const {
  settings.setValue(QStringLiteral("solution/n"), edits_[3]->text());
  settings.setValue(QStringLiteral("solution/methods"),
                    methods_->chosenIds().join(QLatin1Char(',')));
}

}  // namespace kemi::lab
