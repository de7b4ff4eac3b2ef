// The region view rendered unshown, with the eigenvalues' marks painted over it.
#include "figures/system_regions.h"

#include <QObject>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "figures/picture_file.h"
#include "figures/region_picture.h"
#include "study/problem_stability.h"
#include "study/system_methods.h"
#include "study/system_solution.h"

namespace kemi::lab {

// On the oscillator the marks are +-i; on a stiff system the fast eigenvalue at the edge of a
// region.
SystemRegionMarks systemRegionMarks(const study::SystemProblem& problem,
                                    const std::vector<study::SystemStabilityRow>& rows) {
  SystemRegionMarks marks;
  double h = 0.0;
  for (const study::SystemStabilityRow& r : rows) {
    if (std::isfinite(r.hLimit)) h = std::max(h, r.hLimit);
    if (!study::isSymplectic(r.method)) marks.methods.push_back(r.method);
  }
  marks.h = h > 0.0 ? std::min(h, 1.0) : 1.0;
  const study::SystemSolution solution(problem,
                                       study::systemSamples(problem, study::kLambdaSamples));
  marks.lambdas = study::decayingEigenvalues(problem, solution);
  return marks;
}

void paintSystemRegions(QPainter& painter, RegionPicture& view,
                        const std::vector<std::complex<double>>& lambdas, double h) {
  view.paint(painter);
  painter.setPen(QPen(Qt::black, 1.5));
  painter.setBrush(Qt::NoBrush);
  for (const std::complex<double>& lambda : lambdas)
    for (const std::complex<double> z : {h * lambda, h * std::conj(lambda)}) {
      const QPointF at = view.toPixel(z);
      painter.drawLine(at + QPointF(-5.0, -5.0), at + QPointF(5.0, 5.0));
      painter.drawLine(at + QPointF(-5.0, 5.0), at + QPointF(5.0, -5.0));
    }
}

bool drawSystemRegions(const std::vector<std::size_t>& methods,
                       const std::vector<std::complex<double>>& lambdas, double h,
                       const QString& title, const QString& path, QByteArray& bytes,
                       QString& error) {
  RegionPicture view;
  view.setMethods(methods);
  view.setStepPoint(NAN, h);  // no point of one equation
  view.setSize(kChartFileSize);
  const QString description =
      QObject::tr(
          "%1: the stability regions with h*lambda marked for the %2 eigenvalues along "
          "the solution (and their conjugates), h = %3.")
          .arg(title)
          .arg(lambdas.size())
          .arg(h);
  return renderPainted({kChartFileSize, title, description,
                        [&](QPainter& p) { paintSystemRegions(p, view, lambdas, h); }},
                       path, 1.0, bytes, error);
}

}  // namespace kemi::lab
