// The pictures of an adaptive run, painted with QPainter: the solution with accepted steps as
// filled marks and rejected attempts as hollow ones, under it h against x on a log scale with
// the rejections marked, and the estimate against the true local error per attempt.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QString>

#include "study/adaptive.h"
#include "study/adaptive_sweep.h"
#include "study/convergence.h"

class QPainter;

namespace kemi::lab {

struct AdaptivePictureData {
  study::Problem problem;
  std::size_t method = 4;
  study::AdaptiveResult result;
};

// The solution panel above the h strip, filling `area`.
void paintAdaptiveRun(QPainter& painter, const QRectF& area, const AdaptivePictureData& data);
// |estimate| and |local error| of each attempt at its end x, on a log scale.
void paintEstimates(QPainter& painter, const QRectF& area, const AdaptivePictureData& data);
// Work against precision on log scales: the adaptive sweep's rows and a fixed-step sweep's.
void paintWorkPrecision(QPainter& painter, const QRectF& area,
                        const std::vector<study::AdaptiveSweepRow>& adaptive,
                        const std::vector<study::ConvergenceRow>& fixed, std::size_t method);
// What the run's picture shows, in sentences, for a screen reader and the SVG's description.
QString adaptiveDescription(const AdaptivePictureData& data);

// paintAdaptiveRun at kChartFileSize as PNG or SVG (chosen by the suffix of `path`).
bool drawAdaptiveChart(const AdaptivePictureData& data, const QString& path, QByteArray& bytes,
                       QString& error);

}  // namespace kemi::lab
