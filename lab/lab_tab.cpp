// What every tab shares.
#include "lab_tab.h"

#include <QChartView>

namespace kemi::lab {

QWidget* LabTab::picture() const {
  return chartView();
}

}  // namespace kemi::lab
