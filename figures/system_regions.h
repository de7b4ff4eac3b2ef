// The stability regions with a system's eigenvalues: every h * lambda of the eigenvalues along
// the solution marked over the regions of the chosen methods, so a student sees which of them
// fall outside (on the oscillator, the two points +-h i on the imaginary axis).
#pragma once

#include <QByteArray>
#include <QString>
#include <complex>
#include <vector>

#include "study/system_stability.h"

class QPainter;

namespace kemi::lab {

class RegionPicture;

// What the picture marks for a system's stability rows: the regions of the methods that have
// one in the plane (not the symplectic ones), the eigenvalues along the solution and the step,
// the largest that some method keeps stable, at most 1.
struct SystemRegionMarks {
  std::vector<std::size_t> methods;
  std::vector<std::complex<double>> lambdas;
  double h = 1.0;
};
SystemRegionMarks systemRegionMarks(const study::SystemProblem& problem,
                                    const std::vector<study::SystemStabilityRow>& rows);

// `view` as it is set, with a cross at h * lambda and h * conj(lambda) for each of `lambdas`.
void paintSystemRegions(QPainter& painter, RegionPicture& view,
                        const std::vector<std::complex<double>>& lambdas, double h);

// `lambdas` as given and their conjugates, each times h, over the regions of `methods` (indexes
// into the seven), at kChartFileSize for `path`, into `bytes`. Needs a QApplication.
bool drawSystemRegions(const std::vector<std::size_t>& methods,
                       const std::vector<std::complex<double>>& lambdas, double h,
                       const QString& title, const QString& path, QByteArray& bytes,
                       QString& error);

}  // namespace kemi::lab
