// The convergence chart of a system: the largest component error at x1 against N on log scales,
// one line with the method's markers per method and dashed lines of slope -1, -2 and -4 for the
// orders, as the one-equation chart draws its sweep.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <vector>

#include "study/system_convergence.h"

class QPainter;

namespace kemi::lab {

void paintSystemConvergence(QPainter& painter, const QRectF& area,
                            const std::vector<study::SystemConvergenceRow>& rows,
                            const QString& title);
// What the chart shows, in words: per method its smallest error and its last observed order.
QString describeSystemConvergence(const std::vector<study::SystemConvergenceRow>& rows);

// The chart at kChartFileSize for `path` (its suffix picks PNG or SVG) into `bytes`.
bool drawSystemConvergenceChart(const std::vector<study::SystemConvergenceRow>& rows,
                                const QString& title, const QString& path, QByteArray& bytes,
                                QString& error);

}  // namespace kemi::lab
