// The stability regions with a system's eigenvalues: every h * lambda of the eigenvalues along
// the solution marked over the regions of the chosen methods, so a student sees which of them
// fall outside (on the oscillator, the two points +-h i on the imaginary axis).
#pragma once

#include <QByteArray>
#include <QString>
#include <complex>
#include <vector>

namespace kemi::lab {

// `lambdas` as given and their conjugates, each times h, over the regions of `methods` (indexes
// into the seven), at kChartFileSize for `path`, into `bytes`. Needs a QApplication.
bool drawSystemRegions(const std::vector<std::size_t>& methods,
                       const std::vector<std::complex<double>>& lambdas, double h,
                       const QString& title, const QString& path, QByteArray& bytes,
                       QString& error);

}  // namespace kemi::lab
