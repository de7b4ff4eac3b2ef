// The equation picker: a combo box over the study library's presets and the typed equation's
// entries. The check runs on every keystroke (it parses a few short expressions); handing the
// equation on restarts the tabs' work, so it waits for a pause in the typing.
#include "lab/equation_picker.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>

#include "lab/equation_check.h"
#include "lab/lab_widgets.h"

namespace kemi::lab {
namespace {

constexpr int kPauseMs = 400;

struct OwnEntry {
  const char* caption;
  const char* objectName;
  const char* accessibleName;
  const char* settingsKey;
  const char* initial;
};
constexpr std::array<OwnEntry, 5> kOwnEntries{{
    {QT_TR_NOOP("&f(x, y)"), "equationF",
     QT_TR_NOOP("Right-hand side f(x, y); a system as f1; f2 in y1, y2; y'' = f(x, y, v) with "
                "y0 as y; v"),
     "equation/f", "-2*x - y"},
    {QT_TR_NOOP("x&0"), "equationX0", QT_TR_NOOP("Start x0"), "equation/x0", "0"},
    {QT_TR_NOOP("&y0"), "equationY0", QT_TR_NOOP("Start y0; a system's as A; B"), "equation/y0",
     "-1"},
    {QT_TR_NOOP("E&xact y(x)"), "equationExact", QT_TR_NOOP("Exact solution y(x), optional"),
     "equation/exact", ""},
    {QT_TR_NOOP("&Invariant"), "equationInvariant", QT_TR_NOOP("Invariant of a system, optional"),
     "equation/invariant", ""},
}};

}  // namespace

EquationPicker::EquationPicker(QWidget* parent)
    : QWidget(parent),
      choice_(new QComboBox(this)),
      own_(new QWidget(this)),
      pause_(new QTimer(this)) {
  setObjectName(QStringLiteral("equationPicker"));
  choice_->setObjectName(QStringLiteral("equation"));
  choice_->setAccessibleName(tr("Equation"));
  for (const study::PresetInfo& info : study::presetInfos()) {
    const study::Problem problem = study::presetProblem(*study::presetById(info.id));
    choice_->addItem(equationCaption(problem),
                     QString::fromLatin1(info.id.data(), static_cast<qsizetype>(info.id.size())));
  }
  for (const study::SystemInfo& info : study::systemInfos()) {
    const study::SystemProblem problem = study::systemProblem(*study::systemById(info.id));
    choice_->addItem(systemCaption(problem),
                     QString::fromLatin1(info.id.data(), static_cast<qsizetype>(info.id.size())));
  }
  choice_->addItem(tr("Your own..."), QStringLiteral("typed"));
  auto* label = new QLabel(tr("&Equation"), this);
  label->setBuddy(choice_);

  auto* grid = new QGridLayout(own_);
  grid->setContentsMargins(0, 0, 0, 0);
  for (std::size_t i = 0; i < kOwnEntries.size(); ++i) {
    const OwnEntry& e = kOwnEntries[i];
    auto* caption = new QLabel(tr(e.caption), own_);
    edits_[i] = new QLineEdit(QString::fromUtf8(e.initial), own_);
    edits_[i]->setObjectName(QString::fromLatin1(e.objectName));
    edits_[i]->setAccessibleName(tr(e.accessibleName));
    caption->setBuddy(edits_[i]);
    reasons_[i] = makeReasonLabel(own_);
    reasons_[i]->setObjectName(QString::fromLatin1(e.objectName) + QStringLiteral("Reason"));
    reasons_[i]->setWordWrap(true);
    const int column = static_cast<int>(i) * 2;
    grid->addWidget(caption, 0, column);
    grid->addWidget(edits_[i], 0, column + 1);
    grid->addWidget(reasons_[i], 1, column + 1);
    grid->setColumnStretch(column + 1, i == 0 || i >= 3 ? 3 : 1);
    connect(edits_[i], &QLineEdit::textChanged, this, &EquationPicker::check);
    connect(edits_[i], &QLineEdit::editingFinished, this, &EquationPicker::applyNow);
  }
  pause_->setSingleShot(true);
  pause_->setInterval(kPauseMs);
  connect(pause_, &QTimer::timeout, this, &EquationPicker::applyNow);

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label, 0, 0);
  layout->addWidget(choice_, 0, 1);
  layout->setColumnStretch(2, 1);
  layout->addWidget(own_, 1, 0, 1, 3);
  own_->setVisible(false);
  connect(choice_, &QComboBox::currentIndexChanged, this, &EquationPicker::choose);
}

bool EquationPicker::ownEquationFaulty() const {
  for (const QLabel* reason : reasons_)
    if (!reason->text().isEmpty()) return true;
  return false;
}

void EquationPicker::choose(int index) {
  const QString id = choice_->itemData(index).toString();
  const bool own = id == QLatin1String("typed");
  own_->setVisible(own);
  if (own) {
    applyNow();
    return;
  }
  if (const auto system = study::systemById(id.toStdString()))
    setSystem(study::systemProblem(*system));
  else
    setProblem(study::presetProblem(*study::presetById(id.toStdString())));
}

void EquationPicker::check() {
  evaluate(false);
}

void EquationPicker::applyNow() {
  pause_->stop();
  if (choice_->currentData().toString() != QLatin1String("typed")) return;
  evaluate(true);
}

void EquationPicker::evaluate(bool apply) {
  std::array<QString, 5> reasons;
  std::optional<study::Problem> problem;
  std::optional<study::SystemProblem> system;
  if (isTypedSystem(edits_[0]->text(), edits_[2]->text())) {
    OwnSystemCheck c = checkOwnSystem({edits_[0]->text(), edits_[1]->text(), edits_[2]->text(),
                                       edits_[3]->text(), edits_[4]->text()});
    reasons = {c.fReason, c.x0Reason, c.y0Reason, c.exactReason, c.invariantReason};
    system = std::move(c.problem);
  } else {
    OwnEquationCheck c = checkOwnEquation(
        {edits_[0]->text(), edits_[1]->text(), edits_[2]->text(), edits_[3]->text()});
    reasons = {c.fReason, c.x0Reason, c.y0Reason, c.exactReason, QString()};
    if (!edits_[4]->text().trimmed().isEmpty())
      reasons[4] = tr("An invariant belongs to a system: type f as \"f1; f2\" or y0 as \"y; v\".");
    else
      problem = std::move(c.problem);
  }
  for (std::size_t i = 0; i < reasons.size(); ++i) reasons_[i]->setText(reasons[i]);
  if (!problem && !system) {
    pause_->stop();
  } else if (!apply) {
    pause_->start();
  } else if (system) {
    setSystem(*system);
  } else {
    setProblem(*problem);
  }
}

void EquationPicker::setProblem(const study::Problem& problem) {
  const bool same = !system_ && sameProblem(problem, problem_);
  problem_ = problem;
  system_.reset();
  if (!same) emit problemChanged(problem_);
}

void EquationPicker::setSystem(const study::SystemProblem& problem) {
  const bool same = system_ && sameSystem(problem, *system_);
  system_ = problem;
  if (!same) emit systemChanged(*system_);
}

void EquationPicker::loadSettings(const QSettings& settings) {
  for (std::size_t i = 0; i < kOwnEntries.size(); ++i)
    edits_[i]->setText(settings
                           .value(QLatin1String(kOwnEntries[i].settingsKey),
                                  QString::fromUtf8(kOwnEntries[i].initial))
                           .toString());
  const int index =
      choice_->findData(settings.value(QStringLiteral("equation/id"), QStringLiteral("classroom")));
  if (index >= 0 && index != choice_->currentIndex())
    choice_->setCurrentIndex(index);
  else
    choose(choice_->currentIndex());
}

void EquationPicker::saveSettings(QSettings& settings) const {
  settings.setValue(QStringLiteral("equation/id"), choice_->currentData());
  for (std::size_t i = 0; i < kOwnEntries.size(); ++i)
    settings.setValue(QLatin1String(kOwnEntries[i].settingsKey), edits_[i]->text());
}

}  // namespace kemi::lab
