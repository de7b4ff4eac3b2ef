// The main window: tabs, menus, exports, the About box and the remembered settings.
#include "lab/lab_window.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "contact.h"
#include "lab/adaptive_tab.h"
#include "lab/chart_file.h"
#include "lab/convergence_tab.h"
#include "lab/equation_check.h"
#include "lab/equation_picker.h"
#include "lab/export_dialog.h"
#include "lab/lab_widgets.h"
#include "lab/solution_tab.h"
#include "lab/stability_tab.h"
#include "lab/steps_tab.h"
#include "study/problem_stability.h"

namespace kemi::lab {

LabWindow::LabWindow(QSettings& settings, QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      tabs_(new QTabWidget(this)),
      picker_(new EquationPicker),
      solution_(new SolutionTab),
      convergence_(new ConvergenceTab),
      steps_(new StepsTab),
      stability_(new StabilityTab),
      adaptive_(new AdaptiveTab),
      systemNote_(new QLabel) {
  setObjectName(QStringLiteral("LabWindow"));
  setWindowTitle(tr("Kemi Lab"));
  tabs_->setObjectName(QStringLiteral("tabs"));
  tabs_->setAccessibleName(tr("Views"));
  tabs_->addTab(solution_, tr("S&olution"));
  tabs_->addTab(convergence_, tr("&Convergence"));
  tabs_->addTab(steps_, tr("S&teps"));
  tabs_->addTab(stability_, tr("St&ability"));
  tabs_->addTab(adaptive_, tr("A&daptive"));
  systemNote_->setObjectName(QStringLiteral("systemTabsNote"));
  systemNote_->setWordWrap(true);
  systemNote_->setVisible(false);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(picker_);
  layout->addWidget(systemNote_);
  layout->addWidget(tabs_, 1);
  setCentralWidget(central);
  setTabOrder(picker_, tabs_);
  addTabSwitchKeys(tabs_, this);
  buildMenus();

  resize(1280, 860);
  restoreGeometry(settings_.value(QStringLiteral("window/geometry")).toByteArray());
  for (LabTab* tab : allTabs()) tab->loadSettings(settings_);
  picker_->loadSettings(settings_);
  connect(this, &LabWindow::lambdaMinChanged, this, [this](double lambda) {
    lambdaMin_ = lambda;
    stability_->setStepPoint(lambdaMin_, stepSize_);
  });
  connect(solution_, &SolutionTab::stepSizeChanged, this, [this](double h) {
    stepSize_ = h;
    stability_->setStepPoint(lambdaMin_, stepSize_);
  });
  followProblem(picker_->problem());
  connect(picker_, &EquationPicker::problemChanged, this, &LabWindow::followProblem);
  connect(picker_, &EquationPicker::systemChanged, this, &LabWindow::followSystem);
  tabs_->setCurrentIndex(settings_.value(QStringLiteral("window/tab"), 0).toInt());
  if (picker_->system() != nullptr) followSystem(*picker_->system());
  steps_->run();
  // The sweep starts at once: its workers run at a lower priority, so the window's first paint
  // still gets a core, and the sweep does not wait for it.
  convergence_->run();
}

QList<LabTab*> LabWindow::allTabs() const {
  return {solution_, convergence_, steps_, stability_, adaptive_};
}

void LabWindow::followProblem(const study::Problem& problem) {
  setWindowTitle(tr("Kemi Lab \u2014 %1").arg(equationCaption(problem)));
  for (int i = 1; i < tabs_->count(); ++i) tabs_->setTabEnabled(i, true);
  systemNote_->setVisible(false);
  for (LabTab* tab : allTabs()) tab->setProblem(problem);
  try {
    const study::Solution solution(problem, study::sampleAbscissae(problem, study::kLambdaSamples));
    emit lambdaMinChanged(study::lambdaRange(problem, solution).lambdaMin);
  } catch (const std::invalid_argument&) {
    // No solution along the interval (it blows up): no lambda to mark.
  }
}

// Every tab but Adaptive shows a system; Adaptive keeps the last equation's results, so it is
// closed rather than left showing numbers of another problem.
void LabWindow::followSystem(const study::SystemProblem& problem) {
  setWindowTitle(tr("Kemi Lab \u2014 ") + QString::fromStdString(study::systemId(problem.system)) +
                 QStringLiteral(": ") + systemCaption(problem));
  if (tabs_->currentWidget() == adaptive_) tabs_->setCurrentWidget(solution_);
  tabs_->setTabEnabled(tabs_->indexOf(adaptive_), false);
  systemNote_->setText(
      tr("The Adaptive tab does not show systems yet; kemi-lab adaptive studies one equation."));
  systemNote_->setVisible(true);
  for (LabTab* tab : allTabs()) tab->setSystem(problem);
}

LabTab* LabWindow::currentTab() const {
  return static_cast<LabTab*>(tabs_->currentWidget());
}

void LabWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("Export table as &CSV..."), this,
                  [this] { askAndExport(tr("CSV files (*.csv)"), QStringLiteral("csv"), false); });
  file->addAction(tr("Export chart as &PNG..."), this,
                  [this] { askAndExport(tr("PNG images (*.png)"), QStringLiteral("png"), true); });
  file->addAction(tr("Export chart as &SVG..."), this,
                  [this] { askAndExport(tr("SVG images (*.svg)"), QStringLiteral("svg"), true); });
  file->addSeparator();
  file->addAction(tr("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), this, &QWidget::close);
  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  edit->addAction(tr("&Copy"), QKeySequence::Copy, this, &LabWindow::copySelection);
  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->addAction(tr("&About Kemi Lab"), this, &LabWindow::showAbout);
}

bool LabWindow::exportTable(const QString& path, QString& error) const {
  return writeText(path, study::toCsv(currentTab()->currentTable()), error);
}

bool LabWindow::exportChart(const QString& path, QString& error) const {
  return currentTab()->writePicture(path, error);
}

void LabWindow::askAndExport(const QString& filter, const QString& suffix, bool chart) {
  const QString folder = settings_.value(QStringLiteral("window/exportFolder")).toString();
  const QString name = currentTab()->fileBaseName() + QLatin1Char('.') + suffix;
  const QString start = folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
  QString path = askExportPath(this, start, filter);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + suffix;
  QString error = exportNameProblem(path);
  if (!error.isEmpty() || !(chart ? exportChart(path, error) : exportTable(path, error))) {
    QMessageBox::warning(this, tr("Export failed"), error);
    return;
  }
  // Only a folder that took a file is offered next time: a folder that failed (or one that
  // hangs a file dialog) is not remembered.
  settings_.setValue(QStringLiteral("window/exportFolder"), QFileInfo(path).absolutePath());
}

void LabWindow::copySelection() const {
  const QString text = selectionAsTsv(currentTab()->currentTableView());
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void LabWindow::showAbout() {
  QMessageBox::about(this, tr("About Kemi Lab"),
                     tr("<h3>Kemi Lab %1</h3>"
                        "<p>Convergence, work against precision, single steps and stability of the "
                        "seven step methods on dy/dx = -2x - y and on other equations, preset "
                        "or typed.</p>"
                        "<p>Licence: GPL-3.0-or-later.</p>"
                        "<p>For comments and questions e-mail to %2</p>")
                         .arg(QStringLiteral(KEMI_LAB_VERSION), QString::fromUtf8(kContactEmail)));
}

void LabWindow::closeEvent(QCloseEvent* event) {
  convergence_->cancel();
  settings_.setValue(QStringLiteral("window/geometry"), saveGeometry());
  settings_.setValue(QStringLiteral("window/tab"), tabs_->currentIndex());
  for (LabTab* tab : allTabs()) tab->saveSettings(settings_);
  picker_->saveSettings(settings_);
  event->accept();
}

}  // namespace kemi::lab
