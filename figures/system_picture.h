// Pictures of a system, drawn from the figure layer with QPainter: the phase plane (y2 against
// y1) with the vector field, the exact or reference orbit and each method's polygon; the two
// components against x; the invariant's relative drift against x on a log scale.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <vector>

#include "study/system_steps.h"

class QPainter;

namespace kemi::lab {

enum class SystemView { Phase, Components, Invariant };

struct SystemPictureData {
  study::SystemProblem problem;
  std::int64_t n = 0;
  std::vector<study::SystemPolygon> polygons;
  std::vector<double> xs;  // the exact or reference solution, densely
  std::vector<Vec2> solution;
  bool exact = true;
};

// The polygons of `methods` at N = n and the solution at 600 points. Throws as the study does.
SystemPictureData systemPictureData(const study::SystemProblem& problem, std::int64_t n,
                                    const std::vector<std::size_t>& methods);

void paintSystemPicture(QPainter& painter, const QRectF& area, const SystemPictureData& data,
                        SystemView view);
// What the picture shows, in words, for the SVG's description and screen readers.
QString describeSystemPicture(const SystemPictureData& data, SystemView view);

// The picture at kChartFileSize for `path` (its suffix picks PNG or SVG) into `bytes`.
bool drawSystemChart(const SystemPictureData& data, SystemView view, const QString& path,
                     QByteArray& bytes, QString& error);

}  // namespace kemi::lab
