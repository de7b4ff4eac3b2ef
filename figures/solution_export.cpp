// Solution picture files: drawn into a buffer, then written whole through the same save file as
// the tables, so a failed write leaves an existing file as it was.
#include "figures/solution_export.h"

#include <QPainter>

#include "figures/picture_file.h"
#include "figures/region_picture.h"

namespace kemi::lab {

bool renderSolutionPicture(const SolutionScene& scene, const ViewBox& box, const Slope& slope,
                           QSize size, const QString& description, const QString& path,
                           QByteArray& bytes, QString& error) {
  const QRectF area(QPointF(0.0, 0.0), QSizeF(size));
  const std::vector<QLineF> field =
      slope ? directionField(slope, ViewTransform(box, plotRectIn(area)), kFieldColumns, kFieldRows,
                             16.0)
            : std::vector<QLineF>{};
  return renderPainted({size, scene.title, description,
                        [&](QPainter& painter) { drawSolution(painter, area, box, field, scene); }},
                       path, 1.0, bytes, error);
}

bool writeSolutionPicture(const SolutionScene& scene, const ViewBox& box, const Slope& slope,
                          QSize size, const QString& description, const QString& path,
                          QString& error) {
  QByteArray bytes;
  if (!renderSolutionPicture(scene, box, slope, size, description, path, bytes, error))
    return false;
  return writeText(path, bytes.toStdString(), error);
}

bool drawSolutionChart(const SolutionRequest& request, const QString& path, QByteArray& bytes,
                       QString& error) {
  const SolutionResult result = solveForPicture(request);
  return renderSolutionPicture(result.scene, boxAround(result.scene),
                               study::slopeFunction(request.problem.equation), kChartFileSize,
                               describeSolution(request, result), path, bytes, error);
}

bool drawStabilityRegions(const std::vector<std::size_t>& methods, const QString& path,
                          QByteArray& bytes, QString& error) {
  RegionPicture picture;
  picture.setMethods(methods);
  picture.setSize(kChartFileSize);
  return renderPainted({kChartFileSize, QStringLiteral("Stability regions"), picture.pointText(),
                        [&picture](QPainter& painter) { picture.paint(painter); }},
                       path, 1.0, bytes, error);
}

}  // namespace kemi::lab
