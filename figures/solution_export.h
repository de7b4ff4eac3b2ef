// The Solution picture and the stability regions as PNG or SVG files (chosen by the suffix):
// what File > Export chart writes from the Solution tab, and what `kemi-lab compare --chart
// FILE` and `kemi-lab stability --chart FILE` draw.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <vector>

#include "figures/solution_scene.h"

namespace kemi::lab {

// The picture of `scene` over `box` at `size`, its direction field computed for that size, into
// `bytes` as PNG or SVG; the SVG carries `description`.
bool renderSolutionPicture(const SolutionScene& scene, const ViewBox& box, const Slope& slope,
                           QSize size, const QString& description, const QString& path,
                           QByteArray& bytes, QString& error);
// renderSolutionPicture into the file at `path`.
bool writeSolutionPicture(const SolutionScene& scene, const ViewBox& box, const Slope& slope,
                          QSize size, const QString& description, const QString& path,
                          QString& error);
// The picture of a request over the whole solution at kChartFileSize, into `bytes`. Needs a
// QApplication.
bool drawSolutionChart(const SolutionRequest& request, const QString& path, QByteArray& bytes,
                       QString& error);
// The methods' stability regions in the complex plane at kChartFileSize, into `bytes`, the SVG
// described as the window's view is. Needs a QGuiApplication.
bool drawStabilityRegions(const std::vector<std::size_t>& methods, const QString& path,
                          QByteArray& bytes, QString& error);

}  // namespace kemi::lab
