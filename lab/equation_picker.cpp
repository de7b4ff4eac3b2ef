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
constexpr std::array<OwnEntry, 4> kOwnEntries{{
    {"&f(x, y)", "equationF", "Right-hand side f(x, y)", "equation/f", "-2*x - y"},
    {"x&0", "equationX0", "Start x0", "equation/x0", "0"},
    {"&y0", "equationY0", "Start y0", "equation/y0", "-1"},
    {"E&xact y(x)", "equationExact", "Exact solution y(x), optional", "equation/exact", ""},
}};

}  // namespace

EquationPicker::EquationPicker(QWidget* parent)
    : QWidget(parent),
      choice_(new QComboBox(this)),
      own_(new QWidget(this)),
      pause_(new QTimer(this)) {
  setObjectName(QStringLiteral("equationPicker"));
  choice_->setObjectName(QStringLiteral("equation"));
  choice_->setAccessibleName(QStringLiteral("Equation"));
  for (const study::PresetInfo& info : study::presetInfos()) {
    const study::Problem problem = study::presetProblem(*study::presetById(info.id));
    choice_->addItem(equationCaption(problem),
                     QString::fromLatin1(info.id.data(), static_cast<qsizetype>(info.id.size())));
  }
  choice_->addItem(QStringLiteral("Your own..."), QStringLiteral("typed"));
  auto* label = new QLabel(QStringLiteral("&Equation"), this);
  label->setBuddy(choice_);

  auto* grid = new QGridLayout(own_);
  grid->setContentsMargins(0, 0, 0, 0);
  for (std::size_t i = 0; i < kOwnEntries.size(); ++i) {
    const OwnEntry& e = kOwnEntries[i];
    auto* caption = new QLabel(QString::fromUtf8(e.caption), own_);
    edits_[i] = new QLineEdit(QString::fromUtf8(e.initial), own_);
    edits_[i]->setObjectName(QString::fromLatin1(e.objectName));
    edits_[i]->setAccessibleName(QString::fromUtf8(e.accessibleName));
    caption->setBuddy(edits_[i]);
    reasons_[i] = makeReasonLabel(own_);
    reasons_[i]->setObjectName(QString::fromLatin1(e.objectName) + QStringLiteral("Reason"));
    reasons_[i]->setWordWrap(true);
    const int column = static_cast<int>(i) * 2;
    grid->addWidget(caption, 0, column);
    grid->addWidget(edits_[i], 0, column + 1);
    grid->addWidget(reasons_[i], 1, column + 1);
    grid->setColumnStretch(column + 1, i == 0 || i == 3 ? 3 : 1);
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
  setProblem(study::presetProblem(*study::presetById(id.toStdString())));
}

void EquationPicker::check() {
  const OwnEquationCheck c = checkOwnEquation(
      {edits_[0]->text(), edits_[1]->text(), edits_[2]->text(), edits_[3]->text()});
  const std::array<QString, 4> reasons{c.fReason, c.x0Reason, c.y0Reason, c.exactReason};
  for (std::size_t i = 0; i < reasons.size(); ++i) reasons_[i]->setText(reasons[i]);
  if (c.problem)
    pause_->start();
  else
    pause_->stop();
}

void EquationPicker::applyNow() {
  pause_->stop();
  if (choice_->currentData().toString() != QLatin1String("typed")) return;
  const OwnEquationCheck c = checkOwnEquation(
      {edits_[0]->text(), edits_[1]->text(), edits_[2]->text(), edits_[3]->text()});
  const std::array<QString, 4> reasons{c.fReason, c.x0Reason, c.y0Reason, c.exactReason};
  for (std::size_t i = 0; i < reasons.size(); ++i) reasons_[i]->setText(reasons[i]);
  if (c.problem) setProblem(*c.problem);
}

void EquationPicker::setProblem(const study::Problem& problem) {
  const bool same = sameProblem(problem, problem_);
  problem_ = problem;
  if (!same) emit problemChanged(problem_);
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
