// What the window asks of each tab for its menus: the chart to export, the table to export or
// copy (the one with the keyboard focus, else the tab's main table) and a name for the files;
// and what it tells each tab: the equation chosen for the whole window.
#pragma once

#include <QWidget>

#include "study/problem.h"
#include "study/system.h"
#include "study/text_table.h"

class QChartView;
class QSettings;
class QTableView;

namespace kemi::lab {

class LabTab : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;

  virtual QChartView* chartView() const = 0;
  // The picture File > Export chart writes: the chart view unless the tab shows another one.
  virtual QWidget* picture() const;
  virtual QTableView* currentTableView() const = 0;
  // The current table as the command line writes it.
  virtual study::TextTable currentTable() const = 0;
  // A default file name without suffix, such as "kemi-lab-convergence".
  virtual QString fileBaseName() const = 0;
  // The picture as a PNG or SVG file, chosen by the suffix: by default the chart view's.
  virtual bool writePicture(const QString& path, QString& error) const;
  // The equation the window studies; a tab that does not follow it keeps its own.
  virtual void setProblem(const study::Problem& /*problem*/) {}
  // The system the window studies instead; a tab that shows no system keeps its equation.
  virtual void setSystem(const study::SystemProblem& /*problem*/) {}
  virtual void loadSettings(const QSettings& settings) = 0;
  virtual void saveSettings(QSettings& settings) const = 0;
};

}  // namespace kemi::lab
