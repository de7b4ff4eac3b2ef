// The stability tab: both tables are computed once (a few milliseconds) and the chart is read
// from them.
#include "stability_tab.h"

#include <QChartView>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <numeric>

#include "chart_description.h"
#include "lab_widgets.h"
#include "method_table.h"
#include "stability.h"
#include "stability_chart.h"
#include "text_table_model.h"

namespace kemi::lab {

StabilityTab::StabilityTab(QWidget* parent)
    : LabTab(parent), limits_(new TextTableModel(this)), samples_(new TextTableModel(this)) {
  setObjectName(QStringLiteral("stabilityTab"));
  std::vector<std::size_t> all(kMethods.size());
  std::iota(all.begin(), all.end(), std::size_t{0});
  limits_->setTable(study::stabilityText(study::stabilityRows(all)));
  samples_->setTable(amplificationText(all));

  chartView_ = makeChartView(makeStabilityChart(*limits_, *samples_),
                             QStringLiteral("Stability chart"), this);
  chartView_->setAccessibleDescription(describeStability(limits_->table()));
  limitsView_ = makeTableView(limits_, QStringLiteral("Stability limits"), this);
  samplesView_ = makeTableView(samples_, QStringLiteral("Sampled R(-h)"), this);
  auto* note = new QLabel(
      QStringLiteral("One step maps y to R(-h) y plus a part that does not depend on y. A method "
                     "is stable for a step h while |R(-h)| <= 1; its limit is the largest h0 "
                     "with |R(-h)| <= 1 for every 0 < h <= h0."),
      this);
  note->setWordWrap(true);

  auto* tables = new QSplitter(Qt::Vertical, this);
  tables->addWidget(limitsView_);
  tables->addWidget(samplesView_);
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(chartView_);
  split->addWidget(tables);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  split->setSizes({780, 480});
  tables->setSizes({200, 560});
  limitsView_->resizeColumnsToContents();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note);
  layout->addWidget(split, 1);
}

QTableView* StabilityTab::currentTableView() const {
  return samplesView_->hasFocus() ? samplesView_ : limitsView_;
}

study::TextTable StabilityTab::currentTable() const {
  return samplesView_->hasFocus() ? samples_->table() : limits_->table();
}

QString StabilityTab::fileBaseName() const {
  return samplesView_->hasFocus() ? QStringLiteral("kemi-lab-amplification")
                                  : QStringLiteral("kemi-lab-stability");
}

}  // namespace kemi::lab
