// Writing a chart to a PNG or SVG file, chosen by the file's suffix, through a QSaveFile so that
// a failed write leaves an existing file as it was. Also what `kemi-lab convergence|stability
// --chart FILE` draws, on the offscreen platform when there is no display.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

#include "convergence.h"

class QChartView;
class QPainter;
class QWidget;

namespace kemi::lab {

inline constexpr QSize kChartFileSize{960, 640};

// What a picture file holds: its size in pixels, the SVG's title and description, and how to
// paint it.
struct PaintedPicture {
  QSize size;
  QString title;
  QString description;
  std::function<void(QPainter&)> paint;
};
// PNG at `pixelRatio` device pixels per pixel of `picture.size`, or SVG at that size, chosen by
// the suffix of `path`, into `bytes`. False with the reason in `error`.
bool renderPainted(const PaintedPicture& picture, const QString& path, double pixelRatio,
                   QByteArray& bytes, QString& error);
// PNG at `pixelRatio` device pixels per pixel of the widget's size, or SVG at the widget's size,
// chosen by the suffix of `path`, into `bytes`; the SVG is titled with the chart's title or the
// widget's accessible name and described by its accessible description. False with the reason
// in `error`.
bool renderPicture(QWidget* picture, const QString& path, double pixelRatio, QByteArray& bytes,
                   QString& error);
// renderPicture into the file at `path`.
bool writePicture(QWidget* picture, const QString& path, double pixelRatio, QString& error);
// Text written into CSV files: a QSaveFile, committed only when every byte was written.
bool writeText(const QString& path, const std::string& text, QString& error);

// The window's charts at kChartFileSize, rendered for `path` (its suffix picks the format) into
// `bytes`. Need a QApplication.
bool drawConvergenceChart(const std::vector<study::ConvergenceRow>& rows, const QString& path,
                          QByteArray& bytes, QString& error);
bool drawStabilityChart(const std::vector<std::size_t>& methods, const QString& path,
                        QByteArray& bytes, QString& error);
// The methods' stability regions in the complex plane.
bool drawStabilityRegions(const std::vector<std::size_t>& methods, const QString& path,
                          QByteArray& bytes, QString& error);

}  // namespace kemi::lab
