// The pieces every system picture paints with: the methods' styles (the seven as in every
// picture, two more for the symplectic methods), markers, curves cut to the plot, and axes with
// their ticks, all from the figure layer.
#pragma once

#include <QColor>
#include <QPen>
#include <QString>
#include <vector>

#include "plot/figure/style.h"
#include "plot/figure/view.h"

class QPainter;

namespace kemi::lab {

inline const QColor kSolutionColour(160, 160, 160);

figure::MethodStyle styleOf(std::size_t method);
QPen methodPen(const figure::MethodStyle& style);
void paintMarker(QPainter& p, const figure::MethodStyle& style, figure::Point at);
// The plane points `world` as lines in `pen`, cut to the plot, broken where a point is not finite.
void paintRuns(QPainter& p, const std::vector<figure::Point>& world, const figure::Transform& t,
               const QPen& pen);
// Frame, ticks and their labels, axis names; whole decades on a log axis.
void paintAxes(QPainter& p, const figure::Transform& t, bool logY, const QString& xName,
               const QString& yName, bool logX = false);

}  // namespace kemi::lab
