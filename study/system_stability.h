// Stability on a system: the eigenvalues lambda of the Jacobian along the solution, and for each
// method the largest h that keeps every h*lambda with a real part of 0 or less inside the
// method's region in the complex plane (eigenvalues with a positive real part are growing modes
// of the solution itself and set no limit). On the oscillator lambda = +-i, so the limit is
// the method's reach along the imaginary axis.
#pragma once

#include <array>
#include <complex>
#include <cstdint>
#include <vector>

#include "study/system.h"
#include "study/system_solution.h"

namespace kemi::study {

using Complex = std::complex<double>;

std::array<Complex, 2> eigenvalues(const Mat2& j);

// |R(z)| of one of the nine methods; for the symplectic ones, the larger modulus of the
// eigenvalues of one step on y'' = -k y with z^2 = -k h^2.
double amplificationModulus(std::size_t method, Complex z);

// The largest b with |R(i t)| <= 1 for every |t| <= b: 0 where the region misses the axis
// near 0; 2 for the symplectic methods.
double imagLimit(std::size_t method);

// The largest H with h*lambda in the region for every 0 < h <= H; infinite for lambda = 0 or
// a positive real part (and, for the symplectic methods, for all but an imaginary lambda).
double rayLimit(std::size_t method, Complex lambda);

// The eigenvalues with a real part of 0 or less at kLambdaSamples + 1 points of the solution,
// one of each conjugate pair, without repeats.
std::vector<Complex> decayingEigenvalues(const SystemProblem& problem,
                                         const SystemSolution& solution);

// The largest |R(h lambda)|^n over `lambdas`: how much n steps can amplify a perturbation.
double growthOver(std::size_t method, const std::vector<Complex>& lambdas, double h,
                  std::int64_t n);

struct SystemStabilityRow {
  std::size_t method = 0;
  int order = 0;
  int evaluations = 0;
  double limit = 0.0;  // on y' = -y; NaN for the symplectic methods
  double imagLimit = 0.0;
  Complex lambda{NAN, NAN};  // the eigenvalue that limits the step; NaN: none does
  double hLimit = 0.0;       // infinite: no limit; 0: unstable for every h
  std::int64_t nMin = 0;     // 0: no limit, or none
};
// Throws what checkSystemProblem, the solution and checkMethodApplies throw.
std::vector<SystemStabilityRow> systemStabilityRows(const SystemProblem& problem,
                                                    const std::vector<std::size_t>& methods);

}  // namespace kemi::study
