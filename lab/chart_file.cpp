// Chart files from widgets: the picture is rendered into a buffer by picture_file, which writes
// it whole through a save file.
#include "lab/chart_file.h"

#include <QChartView>
#include <QCoreApplication>
#include <QPainter>

#include "lab/chart_description.h"
#include "lab/convergence_chart.h"
#include "lab/convergence_model.h"
#include "lab/stability_chart.h"
#include "lab/summary.h"
#include "lab/text_table_model.h"
#include "study/stability.h"

namespace kemi::lab {
namespace {

// A view that is never shown on a screen lays its chart out only once it is "shown"; without
// it the chart keeps its initial tiny size.
void layOutUnshown(QWidget& view) {
  if (auto* chart = qobject_cast<QChartView*>(&view)) chart->setRenderHint(QPainter::Antialiasing);
  view.resize(kChartFileSize);
  view.setAttribute(Qt::WA_DontShowOnScreen);
  view.show();
  QCoreApplication::processEvents();
}

}  // namespace

bool renderPicture(QWidget* picture, const QString& path, double pixelRatio, QByteArray& bytes,
                   QString& error) {
  auto* chart = qobject_cast<QChartView*>(picture);
  return renderPainted(
      {picture->size(), chart != nullptr ? chart->chart()->title() : picture->accessibleName(),
       picture->accessibleDescription(),
       [picture](QPainter& painter) { picture->render(&painter); }},
      path, pixelRatio, bytes, error);
}

bool writePicture(QWidget* picture, const QString& path, double pixelRatio, QString& error) {
  QByteArray bytes;
  if (!renderPicture(picture, path, pixelRatio, bytes, error)) return false;
  return writeText(path, bytes.toStdString(), error);
}

bool drawConvergenceChart(const std::vector<study::ConvergenceRow>& rows, const QString& path,
                          QByteArray& bytes, QString& error) {
  ConvergenceModel model;
  ConvergenceChart chart(&model);
  QChartView view(chart.chart());
  layOutUnshown(view);
  // The rows arrive as in the window, once the chart has its size: log axes whose range is set
  // before the chart is laid out keep a stale mapping for the series.
  for (const study::ConvergenceRow& row : rows) model.addRow(row);
  chart.refillNow();
  view.setAccessibleDescription(describeConvergence(summaryText(rows), false));
  QCoreApplication::processEvents();
  return renderPicture(&view, path, 1.0, bytes, error);
}

bool drawStabilityChart(const std::vector<std::size_t>& methods, const QString& path,
                        QByteArray& bytes, QString& error) {
  TextTableModel limits;
  TextTableModel samples;
  limits.setTable(study::stabilityText(study::stabilityRows(methods)));
  samples.setTable(amplificationText(methods));
  QChartView view(makeStabilityChart(limits, samples));
  view.setAccessibleDescription(describeStability(limits.table()));
  layOutUnshown(view);
  return renderPicture(&view, path, 1.0, bytes, error);
}

}  // namespace kemi::lab
