// Solution picture files: drawn into a buffer, then written whole through the same save file as
// the tables, so a failed write leaves an existing file as it was.
#include "solution_export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include "chart_file.h"

namespace kemi::lab {

bool renderSolutionPicture(const SolutionScene& scene, const ViewBox& box, const Slope& slope,
                           QSize size, const QString& path, QByteArray& bytes, QString& error) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != QLatin1String("png") && suffix != QLatin1String("svg")) {
    error = QStringLiteral("Could not write %1: the name must end in .png or .svg.").arg(path);
    return false;
  }
  const QRectF area(QPointF(0.0, 0.0), QSizeF(size));
  const std::vector<QLineF> field =
      slope ? directionField(slope, ViewTransform(box, plotRectIn(area)), kFieldColumns, kFieldRows,
                             16.0)
            : std::vector<QLineF>{};
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (suffix == QLatin1String("png")) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    drawSolution(painter, area, box, field, scene);
    painter.end();
    if (!image.save(&buffer, "PNG")) {
      error = QStringLiteral("Could not write %1: the PNG encoder failed.").arg(path);
      return false;
    }
  } else {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setResolution(96);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(scene.title);
    svg.setDescription(QStringLiteral("Kemi Lab solution picture"));
    QPainter painter(&svg);
    drawSolution(painter, area, box, field, scene);
    painter.end();
  }
  return true;
}

bool writeSolutionPicture(const SolutionScene& scene, const ViewBox& box, const Slope& slope,
                          QSize size, const QString& path, QString& error) {
  QByteArray bytes;
  if (!renderSolutionPicture(scene, box, slope, size, path, bytes, error)) return false;
  return writeText(path, bytes.toStdString(), error);
}

bool drawSolutionChart(const SolutionRequest& request, const QString& path, QByteArray& bytes,
                       QString& error) {
  const SolutionResult result = solveForPicture(request);
  return renderSolutionPicture(result.scene, boxAround(result.scene),
                               study::slopeFunction(request.problem.equation), kChartFileSize,
                               path, bytes, error);
}

}  // namespace kemi::lab
