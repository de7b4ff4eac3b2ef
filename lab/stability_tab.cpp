// The stability tab: both tables are computed once (a few milliseconds) and the real-axis chart
// is read from them; the regions are drawn for the methods ticked above the pictures.
#include "lab/stability_tab.h"

#include <QButtonGroup>
#include <QChartView>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <exception>
#include <numeric>

#include "core/method_table.h"
#include "lab/chart_description.h"
#include "lab/lab_widgets.h"
#include "lab/method_choice.h"
#include "lab/stability_chart.h"
#include "lab/stability_region_view.h"
#include "lab/system_stability_view.h"
#include "lab/text_table_model.h"
#include "study/problem_stability.h"
#include "study/stability.h"

namespace kemi::lab {
namespace {

std::vector<std::size_t> allMethods() {
  std::vector<std::size_t> all(kMethods.size());
  std::iota(all.begin(), all.end(), std::size_t{0});
  return all;
}

// Until the window tells otherwise: dy/dx = -2x - y has df/dy = -1, and the steps tab starts
// with h = 0.1.
constexpr double kClassroomLambda = -1.0;
constexpr double kFirstStep = 0.1;

}  // namespace

StabilityTab::StabilityTab(QWidget* parent)
    : LabTab(parent), limits_(new TextTableModel(this)), samples_(new TextTableModel(this)) {
  setObjectName(QStringLiteral("stabilityTab"));
  const std::vector<std::size_t> all = allMethods();
  limits_->setTable(study::stabilityText(study::stabilityRows(all)));
  const std::vector<StabilityCurve> curves = stabilityCurves(all);
  samples_->setTable(amplificationText(curves));

  chartView_ = makeChartView(makeStabilityChart(curves), tr("Stability chart"), this);
  chartView_->setAccessibleDescription(describeStability(limits_->table()));
  regionView_ = new StabilityRegionView(this);
  pictures_ = new QStackedWidget(this);
  pictures_->addWidget(regionView_);
  pictures_->addWidget(chartView_);
  limitsView_ = makeTableView(limits_, tr("Stability limits"), this);
  samplesView_ = makeTableView(samples_, tr("Sampled R(-h)"), this);
  auto* note =
      new QLabel(tr("One step of y' = λy maps y to R(hλ) y. A method is stable for a step h "
                    "while |R(hλ)| <= 1: where z = hλ lies in its region. On the real axis its "
                    "limit is the largest h0 with |R(-h)| <= 1 for every 0 < h <= h0 (λ = -1)."),
                 this);
  note->setWordWrap(true);

  auto* choices = new QHBoxLayout;
  regionsButton_ = new QRadioButton(tr("Re&gions in the complex plane"), this);
  realAxisButton_ = new QRadioButton(tr("|R(-h)| on the real a&xis"), this);
  regionsButton_->setObjectName(QStringLiteral("regionsView"));
  realAxisButton_->setObjectName(QStringLiteral("realAxisView"));
  regionsButton_->setAccessibleName(tr("Show the stability regions"));
  realAxisButton_->setAccessibleName(tr("Show |R(-h)| on the real axis"));
  auto* views = new QButtonGroup(this);
  views->addButton(regionsButton_);
  views->addButton(realAxisButton_);
  regionsButton_->setChecked(true);
  choices->addWidget(regionsButton_);
  choices->addWidget(realAxisButton_);
  choices->addSpacing(24);
  choices->addWidget(new QLabel(tr("Regions of:"), this));
  methods_ = new MethodChoice(QStringLiteral("region_"), tr("Draw the region of "), all, this);
  choices->addWidget(methods_);
  connect(methods_, &MethodChoice::changed, this, &StabilityTab::chooseMethods);
  choices->addStretch();
  connect(regionsButton_, &QRadioButton::toggled, this, &StabilityTab::showRegions);

  pointLabel_ = new QLabel(this);
  pointLabel_->setObjectName(QStringLiteral("stabilityPoint"));
  pointLabel_->setWordWrap(true);
  connect(regionView_, &StabilityRegionView::pointTextChanged, pointLabel_, &QLabel::setText);
  auto* left = new QWidget(this);
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  leftLayout->addWidget(pictures_, 1);
  leftLayout->addWidget(pointLabel_);

  auto* tables = new QSplitter(Qt::Vertical, this);
  tables->addWidget(limitsView_);
  tables->addWidget(samplesView_);
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(left);
  split->addWidget(tables);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  split->setSizes({780, 480});
  tables->setSizes({200, 560});
  limitsView_->resizeColumnsToContents();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note);
  layout->addLayout(choices);
  systemView_ = new SystemStabilityView(this);
  pages_ = new QStackedWidget(this);
  pages_->addWidget(split);
  pages_->addWidget(systemView_);
  layout->addWidget(pages_, 1);

  chooseMethods();
  setStepPoint(kClassroomLambda, kFirstStep);
}

void StabilityTab::setStepPoint(double lambda, double h) {
  regionView_->setStepPoint(lambda, h);
}

// The limits on the window's equation, as `kemi-lab stability` prints them for it: lambda_min
// along the solution, the largest stable step and the smallest stable N.
void StabilityTab::setProblem(const study::Problem& problem) {
  pages_->setCurrentIndex(0);
  realAxisButton_->setEnabled(true);
  const std::vector<std::size_t> all = allMethods();
  try {
    limits_->setTable(study::problemStabilityText(study::problemStabilityRows(problem, all)));
  } catch (const std::exception&) {
    // No solution along the interval (it blows up): the limits on y' = -y alone.
    limits_->setTable(study::stabilityText(study::stabilityRows(all)));
  }
  limitsView_->resizeColumnsToContents();
}

void StabilityTab::setSystem(const study::SystemProblem& problem) {
  showRegions(true);
  realAxisButton_->setEnabled(false);
  systemView_->setSystem(problem);
  pages_->setCurrentWidget(systemView_);
}

void StabilityTab::showRegions(bool regions) {
  (regions ? regionsButton_ : realAxisButton_)->setChecked(true);
  pictures_->setCurrentWidget(regions ? static_cast<QWidget*>(regionView_) : chartView_);
}

void StabilityTab::chooseMethods() {
  regionView_->setMethods(methods_->chosen());
  systemView_->setRegionMethods(methods_->chosen());
}

QWidget* StabilityTab::picture() const {
  return pages_->currentWidget() == systemView_ ? systemView_->picture()
                                                : pictures_->currentWidget();
}

QTableView* StabilityTab::currentTableView() const {
  if (pages_->currentWidget() == systemView_) return systemView_->table();
  return samplesView_->hasFocus() ? samplesView_ : limitsView_;
}

study::TextTable StabilityTab::currentTable() const {
  if (pages_->currentWidget() == systemView_) return systemView_->model()->table();
  return samplesView_->hasFocus() ? samples_->table() : limits_->table();
}

QString StabilityTab::fileBaseName() const {
  if (pages_->currentWidget() == systemView_) return QStringLiteral("kemi-lab-system-stability");
  return samplesView_->hasFocus() ? QStringLiteral("kemi-lab-amplification")
                                  : QStringLiteral("kemi-lab-stability");
}

void StabilityTab::loadSettings(const QSettings& settings) {
  // contains(), not a null value: an INI file gives back no choice at all as a null string.
  if (settings.contains(QStringLiteral("stability/regions"))) {
    const QString chosen = settings.value(QStringLiteral("stability/regions")).toString();
    const QStringList ids = chosen.split(QLatin1Char(','), Qt::SkipEmptyParts);
    methods_->setChosenIds(ids);
  }
  showRegions(settings.value(QStringLiteral("stability/view")).toString() != QLatin1String("real"));
}

void StabilityTab::saveSettings(QSettings& settings) const {
  settings.setValue(QStringLiteral("stability/regions"),
                    methods_->chosenIds().join(QLatin1Char(',')));
  settings.setValue(QStringLiteral("stability/view"), regionsButton_->isChecked()
                                                          ? QStringLiteral("regions")
                                                          : QStringLiteral("real"));
}

}  // namespace kemi::lab
