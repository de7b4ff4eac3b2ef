// The main window's controls at their fixed places, given in twips, and the two actions:
// CALCULATE runs one calculation inside the click handler, About shows the About window.
#include "ui/form1.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>
#include <algorithm>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "plot/graphic.h"
#include "plot/plot_description.h"
#include "ui/form_about.h"
#include "ui/plot_area.h"
#include "ui/twips.h"

namespace kemi {
namespace {

const QColor kLightGrey(224, 224, 224);

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <class Widget>
Widget* place(Widget* widget, const char* name, const QRect& geometry) {
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(geometry);
  return widget;
}

// An entry next to its label; screen readers announce it by the label's text ("x1 =").
QLineEdit* entry(QLabel* label, const char* text) {
  auto* edit = new QLineEdit(QString::fromLatin1(text), label->parentWidget());
  edit->setAccessibleName(label->text());
  label->setBuddy(edit);
  return edit;
}

// Refuses every text. Assistive technology sets a line edit's text only through its validator,
// while the window's own setText() is never validated.
class RefuseAll : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString&, int&) const override { return Invalid; }
};

// The initial point and the step size are shown, never typed. Neither disabled nor read-only
// stops a screen reader's "set value" on a line edit; the validator does.
void showOnly(QLineEdit* edit) {
  edit->setEnabled(false);
  edit->setReadOnly(true);
  edit->setValidator(new RefuseAll(edit));
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, kLightGrey);
  edit->setPalette(palette);
}

// Controls with their tab index; the ones that take focus by Tab are chained in that order.
class TabOrder {
 public:
  template <class Widget>
  Widget* add(int tabIndex, Widget* widget) {
    widgets_.emplace_back(tabIndex, widget);
    return widget;
  }
  void apply() {
    std::stable_sort(widgets_.begin(), widgets_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QWidget* previous = nullptr;
    for (const auto& [tabIndex, widget] : widgets_) {
      if (!widget->isEnabled() || (widget->focusPolicy() & Qt::TabFocus) == 0) continue;
      if (previous != nullptr) QWidget::setTabOrder(previous, widget);
      previous = widget;
    }
  }

 private:
  std::vector<std::pair<int, QWidget*>> widgets_;
};

// A wait cursor for the length of a run. The run handles no events, so nothing else changes it.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// The default report of a stopped run: a warning over the main window that does not block, so
// the click handler returns and the window stays as the run left it.
void showWarning(QWidget* window, const QString& cause) {
  auto* box =
      new QMessageBox(QMessageBox::Warning, Form1::tr("Kemi"), cause, QMessageBox::Ok, window);
  box->setObjectName(QStringLiteral("StopMessage"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

}  // namespace

Form1::Form1(QWidget* parent)
    : QMainWindow(parent), reporter_([this](const QString& cause) { showWarning(this, cause); }) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(tr("Kemi - Numerical integration of dy/dx=-2*x-y"));

  QAction* mnAbout = menuBar()->addAction(tr("About"));
  mnAbout->setObjectName(QStringLiteral("Mn_About"));
  connect(mnAbout, &QAction::triggered, this, &Form1::Mn_About_Click);

  // The client area below the menu bar. No layout: every control keeps its place and size when
  // the window is resized.
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  setCentralWidget(client);
  TabOrder tabs;

  auto* frame1 = tabs.add(1, place(new QGroupBox(tr("\u0130nitial conditions"), client), "Frame1",
                                   twipsRect(120, 120, 2415, 885)));
  auto* label1 =
      tabs.add(2, place(new QLabel(tr("x0 ="), frame1), "Label1", twipsRect(105, 360, 375, 255)));
  Text_x0 = tabs.add(3, place(entry(label1, "0"), "Text_x0", twipsRect(480, 360, 615, 285)));
  auto* label4 =
      tabs.add(6, place(new QLabel(tr("y0 ="), frame1), "Label4", twipsRect(1200, 360, 375, 255)));
  Text_y0 = tabs.add(5, place(entry(label4, "-1"), "Text_y0", twipsRect(1560, 360, 615, 285)));

  auto* frame4 = tabs.add(19, place(new QGroupBox(tr("Target point"), client), "Frame4",
                                    twipsRect(2880, 120, 1455, 855)));
  auto* label2 =
      tabs.add(21, place(new QLabel(tr("x1 ="), frame4), "Label2", twipsRect(120, 360, 375, 255)));
  Text_x1 = tabs.add(20, place(entry(label2, "0.4"), "Text_x1", twipsRect(555, 360, 615, 285)));

  auto* frame3 = tabs.add(
      16, place(new QGroupBox(tr("Step size"), client), "Frame3", twipsRect(4680, 120, 2535, 855)));
  auto* label5 =
      tabs.add(22, place(new QLabel(tr("N ="), frame3), "Label5", twipsRect(120, 360, 375, 255)));
  Text_N = tabs.add(23, place(entry(label5, "1"), "Text_N", twipsRect(480, 360, 615, 285)));
  auto* label3 =
      tabs.add(18, place(new QLabel(tr("h ="), frame3), "Label3", twipsRect(1200, 360, 255, 255)));
  Text_h = tabs.add(17, place(entry(label3, ""), "Text_h", twipsRect(1560, 360, 855, 285)));
  showOnly(Text_x0);
  showOnly(Text_y0);
  showOnly(Text_h);

  Command1 = tabs.add(0, place(new QPushButton(tr("CALCULATE"), client), "Command1",
                               twipsRect(120, 1200, 2235, 690)));
  Command1->setAutoDefault(false);
  Command1->setDefault(false);
  connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);

  // The options in the order of the method table, which is also their tab order.
  auto* frame2 =
      tabs.add(7, place(new QGroupBox(client), "Frame2", twipsRect(120, 2040, 2235, 2850)));
  frame2->setAccessibleName(tr("Method"));  // the options' question, not on screen
  const std::array<QRect, kMethods.size()> optionPlaces{
      twipsRect(240, 240, 735, 255),   twipsRect(240, 600, 1575, 255),
      twipsRect(240, 960, 1575, 255),  twipsRect(240, 1320, 1455, 255),
      twipsRect(210, 1680, 1935, 255), twipsRect(240, 2040, 1815, 255),
      twipsRect(210, 2415, 1590, 225)};
  const std::array<int, kMethods.size()> optionTabs{8, 9, 10, 11, 12, 13, 15};
  for (std::size_t i = 0; i < kMethods.size(); ++i) {
    auto* option = new QRadioButton(fromUtf8(kMethods[i].caption), frame2);
    option->setObjectName(fromUtf8(kMethods[i].optionName));
    option->setGeometry(optionPlaces[i]);
    options_[i] = tabs.add(optionTabs[i], option);
  }
  options_.front()->setChecked(true);

  Picture1 =
      tabs.add(4, place(new PlotArea(client), "Picture1", twipsRect(2400, 1200, 4815, 3735)));
  Picture1->setFocusPolicy(Qt::StrongFocus);
  Picture1->setAccessibleName(tr("Solution plot"));
  Picture1->setAccessibleDescription(tr("Empty"));

  List1 = tabs.add(14, place(new QListWidget(client), "List1", twipsRect(7350, 105, 3900, 4740)));
  List1->setSelectionMode(QAbstractItemView::SingleSelection);
  List1->setSortingEnabled(false);
  List1->setUniformItemSizes(true);
  List1->setAccessibleName(tr("Results"));

  tabs.apply();
  Command1->setFocus();
  resize(twips(11850), twips(5145) + menuBar()->sizeHint().height());
}

Form1::~Form1() = default;

void Form1::setStopReporter(StopReporter reporter) {
  reporter_ = std::move(reporter);
}

void Form1::Command1_Click() {
  const Entries entries{Text_x0->text().toStdString(), Text_y0->text().toStdString(),
                        Text_x1->text().toStdString(), Text_N->text().toStdString()};
  std::optional<QString> stop;
  {
    const WaitCursor wait;
    try {
      const RunResult result = calc_.run(entries, selectedMethod(), *this);
      if (!result.completed) stop = QString::fromStdString(result.cause);
    } catch (const std::bad_alloc&) {
      stop =
          tr("There is not enough memory to finish this calculation. "
             "Try a smaller number of steps N.");
    }
  }
  if (stop) reportStop(*stop);
}

void Form1::Mn_About_Click() {
  try {
    if (!about_) about_ = std::make_unique<Form_About>();
  } catch (const std::bad_alloc&) {
    reportStop(tr("There is not enough memory to open the About window."));
    return;
  }
  about_->show();
  about_->raise();
  about_->activateWindow();
}

// The group keeps exactly one option selected from the start, so the loop always finds one.
const MethodInfo& Form1::selectedMethod() const {
  for (std::size_t i = 0; i < kMethods.size(); ++i) {
    if (options_[i]->isChecked()) return kMethods[i];
  }
  return kMethods.front();
}

void Form1::reportStop(const QString& cause) {
  if (reporter_) reporter_(cause);
}

void Form1::showStepSize(const std::string& text) {
  Text_h->setText(QString::fromStdString(text));
}

void Form1::appendLines(const std::array<std::string, 4>& lines) {
  for (const std::string& line : lines) List1->addItem(QString::fromStdString(line));
  // From the seventh run on the new lines fall below the visible part: bring them into view, so
  // that a press of CALCULATE shows its result. Nothing is selected.
  List1->scrollToBottom();
}

std::optional<std::string> Form1::redraw(const Calculation& calc, double& x0, double& x1) {
  std::optional<std::string> cause = Graphic(*Picture1, plotInput(calc), x0, x1);
  Picture1->update();
  // What a screen reader says for the plot: what this run drew, or why it drew nothing. The
  // selection cannot change during the run, so it still names the method that ran. The setter
  // itself sends assistive technology a DescriptionChanged event when the text differs, so the
  // window sends none of its own, which would announce one change twice.
  const std::string description =
      cause ? *cause : plotDescription(calc, selectedMethod().reportName);
  Picture1->setAccessibleDescription(QString::fromStdString(description));
  return cause;
}

}  // namespace kemi
