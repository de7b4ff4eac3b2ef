// Chart and table files. Every write goes through a QSaveFile: the file appears, whole, only at
// commit, and a failure before it leaves whatever was there untouched.
#include "chart_file.h"

#include <QBuffer>
#include <QChartView>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "chart_description.h"
#include "convergence_chart.h"
#include "convergence_model.h"
#include "stability.h"
#include "stability_chart.h"
#include "stability_region_view.h"
#include "summary.h"
#include "text_table_model.h"

namespace kemi::lab {
namespace {

bool commit(QSaveFile& file, QString& error) {
  if (file.commit()) return true;
  error = QStringLiteral("Could not write %1: %2").arg(file.fileName(), file.errorString());
  return false;
}

// Unbuffered, so that a short write (a full disk, a file size limit) fails the write that made
// it: with a buffer, Qt 6.4 flushes it on commit without noticing that only part of it was
// written, and the shortened file would replace the old one.
bool open(QSaveFile& file, QString& error) {
  if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return true;
  error = QStringLiteral("Could not write %1: %2").arg(file.fileName(), file.errorString());
  return false;
}

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

bool renderPainted(const PaintedPicture& picture, const QString& path, double pixelRatio,
                   QByteArray& bytes, QString& error) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != QLatin1String("png") && suffix != QLatin1String("svg")) {
    error = QStringLiteral("Could not write %1: the name must end in .png or .svg.").arg(path);
    return false;
  }
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (suffix == QLatin1String("png")) {
    QImage image(picture.size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    picture.paint(painter);
    painter.end();
    if (!image.save(&buffer, "PNG")) {
      error = QStringLiteral("Could not write %1: the PNG encoder failed.").arg(path);
      return false;
    }
  } else {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(picture.size);
    svg.setResolution(96);  // so that SVG viewers show it at the view's size in pixels
    svg.setViewBox(QRect(QPoint(0, 0), picture.size));
    svg.setTitle(picture.title);
    svg.setDescription(picture.description.isEmpty() ? QStringLiteral("Kemi Lab chart")
                                                     : picture.description);
    QPainter painter(&svg);
    picture.paint(painter);
    painter.end();
  }
  return true;
}

bool renderPicture(QWidget* picture, const QString& path, double pixelRatio, QByteArray& bytes,
                   QString& error) {
  auto* chart = qobject_cast<QChartView*>(picture);
  return renderPainted({picture->size(),
                        chart != nullptr ? chart->chart()->title() : picture->accessibleName(),
                        picture->accessibleDescription(),
                        [picture](QPainter& painter) { picture->render(&painter); }},
                       path, pixelRatio, bytes, error);
}

bool writePicture(QWidget* picture, const QString& path, double pixelRatio, QString& error) {
  QByteArray bytes;
  if (!renderPicture(picture, path, pixelRatio, bytes, error)) return false;
  return writeText(path, bytes.toStdString(), error);
}

bool writeText(const QString& path, const std::string& text, QString& error) {
  QSaveFile file(path);
  if (!open(file, error)) return false;
  const auto size = static_cast<qint64>(text.size());
  if (file.write(text.data(), size) != size) {
    file.cancelWriting();
    error = QStringLiteral("Could not write %1: %2").arg(path, file.errorString());
    return false;
  }
  return commit(file, error);
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

bool drawStabilityRegions(const std::vector<std::size_t>& methods, const QString& path,
                          QByteArray& bytes, QString& error) {
  StabilityRegionView view;
  view.setMethods(methods);
  layOutUnshown(view);
  return renderPicture(&view, path, 1.0, bytes, error);
}

}  // namespace kemi::lab
