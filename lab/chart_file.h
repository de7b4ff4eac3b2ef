// Writing a chart or picture widget to a PNG or SVG file, chosen by the file's suffix, through
// picture_file's save file. Also what `kemi-lab convergence --chart FILE` and `kemi-lab
// stability --view real --chart FILE` draw with Qt Charts, on the offscreen platform when there
// is no display.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <vector>

#include "figures/picture_file.h"
#include "study/convergence.h"

class QChartView;
class QWidget;

namespace kemi::lab {

// PNG at `pixelRatio` device pixels per pixel of the widget's size, or SVG at the widget's size,
// chosen by the suffix of `path`, into `bytes`; the SVG is titled with the chart's title or the
// widget's accessible name and described by its accessible description. False with the reason
// in `error`.
bool renderPicture(QWidget* picture, const QString& path, double pixelRatio, QByteArray& bytes,
                   QString& error);
// renderPicture into the file at `path`.
bool writePicture(QWidget* picture, const QString& path, double pixelRatio, QString& error);
// The window's charts at kChartFileSize, rendered for `path` (its suffix picks the format) into
// `bytes`. Need a QApplication.
bool drawConvergenceChart(const std::vector<study::ConvergenceRow>& rows, const QString& path,
                          QByteArray& bytes, QString& error);
bool drawStabilityChart(const std::vector<std::size_t>& methods, const QString& path,
                        QByteArray& bytes, QString& error);

}  // namespace kemi::lab
