// Writing a chart to a PNG or SVG file, chosen by the file's suffix, through a QSaveFile so that
// a failed write leaves an existing file as it was. Also what `kemi-lab convergence|stability
// --chart FILE` draws, on the offscreen platform when there is no display.
#pragma once

#include <QSize>
#include <QString>
#include <vector>

#include "convergence.h"

class QChartView;
class QWidget;

namespace kemi::lab {

inline constexpr QSize kChartFileSize{960, 640};

// PNG at `pixelRatio` device pixels per pixel of the widget's size, or SVG at the widget's size,
// titled with the chart's title or the widget's accessible name. False with the reason in
// `error`.
bool writePicture(QWidget* picture, const QString& path, double pixelRatio, QString& error);
bool writeChart(QChartView* view, const QString& path, double pixelRatio, QString& error);
// Text written into CSV files: a QSaveFile, committed only when every byte was written.
bool writeText(const QString& path, const std::string& text, QString& error);

// The window's charts at kChartFileSize. Need a QApplication.
bool writeConvergenceChart(const std::vector<study::ConvergenceRow>& rows, const QString& path,
                           QString& error);
bool writeStabilityChart(const std::vector<std::size_t>& methods, const QString& path,
                         QString& error);
// The methods' stability regions in the complex plane.
bool writeStabilityRegions(const std::vector<std::size_t>& methods, const QString& path,
                           QString& error);

}  // namespace kemi::lab
