// The tabs' shared default: the picture is the chart view.
#include "lab_tab.h"

#include <QChartView>

#include "chart_file.h"

namespace kemi::lab {

bool LabTab::writePicture(const QString& path, QString& error) const {
  QChartView* view = chartView();
  return writeChart(view, path, view->devicePixelRatioF(), error);
}

}  // namespace kemi::lab
