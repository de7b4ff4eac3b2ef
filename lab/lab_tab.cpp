// What every tab shares: the picture is the chart view unless a tab shows another one, and it is
// written as the window shows it.
#include "lab/lab_tab.h"

#include <QChartView>

#include "lab/chart_file.h"

namespace kemi::lab {

QWidget* LabTab::picture() const {
  return chartView();
}

bool LabTab::writePicture(const QString& path, QString& error) const {
  QWidget* shown = picture();
  return kemi::lab::writePicture(shown, path, shown->devicePixelRatioF(), error);
}

}  // namespace kemi::lab
