// Eigenvalues along the solution, each method's reach along a ray of the complex plane, and the
// step limits that follow.
#include "study/system_stability.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "study/problem_stability.h"
#include "study/stability.h"
#include "study/stability_region.h"
#include "study/system_methods.h"
#include "study/system_steps.h"

namespace kemi::study {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// The scan along a ray, in |h lambda|: as the real-axis scan, steps exact in binary up to 16.
constexpr double kScanStep = 1.0 / 1024.0;
constexpr double kScanEnd = 16.0;
constexpr double kTolerance = 1e-9;
// Along the imaginary axis |R(it)|^2 - 1 starts with a power t^6 or t^8 whose coefficient is
// small (17/9360 for RKF, -1/1728 for RKM): below about t = 1/64 it drowns in rounding, while
// at t = 1/8 it stands clear of it and still decides the sign on all of 0 < t < 1/8.
constexpr double kImagFirst = 1.0 / 8.0;
// A real part this small beside the imaginary one is taken as 0, as rounding leaves it.
constexpr double kImaginaryShare = 1e-12;
constexpr double kSymplecticReach = 2.0;

bool inRegion(std::size_t method, Complex z) {
  return amplificationModulus(method, z) <= 1.0;
}

// The largest s <= cap with s*d in the region for all 0 < s' <= s, scanning from `first`
// (where the region is taken to hold or not for all smaller s).
double reach(std::size_t method, Complex d, double first, double cap) {
  if (!inRegion(method, first * d)) return 0.0;
  double lo = first;
  double hi = first;
  while (true) {
    hi = std::floor(hi / kScanStep) * kScanStep + kScanStep;
    if (hi > std::min(kScanEnd, cap)) {
      if (hi > kScanEnd) return kInfinity;
      return cap;
    }
    if (!inRegion(method, hi * d)) break;
    lo = hi;
  }
  while (hi - lo > kTolerance) {
    const double mid = lo + (hi - lo) / 2.0;
    (inRegion(method, mid * d) ? lo : hi) = mid;
  }
  return lo;
}

bool imaginary(Complex lambda) {
  return std::abs(lambda.real()) <= kImaginaryShare * std::abs(lambda.imag());
}

// rayLimit, not looking past `cap` (returned when the ray reaches it).
double rayLimitUpTo(std::size_t method, Complex lambda, double cap) {
  const double size = std::abs(lambda);
  if (size == 0.0 || (lambda.real() > 0.0 && !imaginary(lambda))) return kInfinity;
  if (isSymplectic(method)) return imaginary(lambda) ? kSymplecticReach / size : kInfinity;
  if (imaginary(lambda)) return imagLimit(method) / size;
  // Off the axis |R|^2 - 1 starts with 2 s Re(d), clear of rounding from tiny s on.
  const double s = reach(method, lambda / size, std::ldexp(1.0, -20), cap * size);
  return s / size;
}

}  // namespace

std::array<Complex, 2> eigenvalues(const Mat2& j) {
  const double half = (j[0] + j[3]) / 2.0;
  const double det = j[0] * j[3] - j[1] * j[2];
  const double disc = half * half - det;
  if (disc >= 0.0) {
    const double r = std::sqrt(disc);
    return {Complex(half - r, 0.0), Complex(half + r, 0.0)};
  }
  const double r = std::sqrt(-disc);
  return {Complex(half, -r), Complex(half, r)};
}

double amplificationModulus(std::size_t method, Complex z) {
  if (!isSymplectic(method)) return std::abs(stabilityFunction(method, z));
  // Both methods map (y, v) on y'' = -k y by a matrix of trace 2 - k h^2 = 2 + z^2 and
  // determinant 1; its eigenvalues solve mu^2 - (2 + z^2) mu + 1 = 0.
  const Complex half = (2.0 + z * z) / 2.0;
  const Complex root = std::sqrt(half * half - 1.0);
  return std::max(std::abs(half + root), std::abs(half - root));
}

double imagLimit(std::size_t method) {
  if (isSymplectic(method)) return kSymplecticReach;
  const double s = reach(method, Complex(0.0, 1.0), kImagFirst, kInfinity);
  return s;
}

double rayLimit(std::size_t method, Complex lambda) {
  return rayLimitUpTo(method, lambda, kInfinity);
}

std::vector<Complex> decayingEigenvalues(const SystemProblem& problem,
                                         const SystemSolution& solution) {
  const auto jacobian = systemJacobian(problem.system);
  std::vector<Complex> found;
  for (const double x : systemSamples(problem, kLambdaSamples))
    for (const Complex lambda : eigenvalues(jacobian(x, solution.at(x)))) {
      if (lambda.imag() < 0.0 || !(lambda.real() <= 0.0 || imaginary(lambda))) continue;
      if (std::find(found.begin(), found.end(), lambda) == found.end()) found.push_back(lambda);
    }
  return found;
}

double growthOver(std::size_t method, const std::vector<Complex>& lambdas, double h,
                  std::int64_t n) {
  double largest = 0.0;
  for (const Complex lambda : lambdas) {
    // A symplectic method maps the two eigenvalues of a saddle (+-a) together, by a step that
    // grows as the solution itself does there; only an imaginary pair is its own to amplify.
    if (isSymplectic(method) && !imaginary(lambda)) continue;
    const double r = amplificationModulus(method, h * lambda);
    largest = std::max(largest, std::pow(r, static_cast<double>(n)));
  }
  return largest;
}

std::vector<SystemStabilityRow> systemStabilityRows(const SystemProblem& problem,
                                                    const std::vector<std::size_t>& methods) {
  checkSystemProblem(problem);
  const SystemSolution solution(problem, systemSamples(problem, kLambdaSamples));
  const std::vector<Complex> lambdas = decayingEigenvalues(problem, solution);
  const Problem interval{Classroom{}, problem.x0, 0.0, problem.x1};
  std::vector<SystemStabilityRow> rows;
  for (const std::size_t m : methods) {
    checkMethodApplies(problem, m);
    SystemStabilityRow row;
    row.method = m;
    row.order = systemMethodOrder(m);
    row.evaluations = systemMethodEvaluations(m);
    row.limit = isSymplectic(m) ? NAN : stabilityLimit(m);
    row.imagLimit = imagLimit(m);
    row.hLimit = kInfinity;
    for (const Complex lambda : lambdas) {
      const double h = rayLimitUpTo(m, lambda, row.hLimit);
      if (h < row.hLimit) {
        row.hLimit = h;
        row.lambda = lambda;
      }
    }
    row.nMin = row.hLimit > 0.0 ? smallestStableN(interval, row.hLimit) : 0;
    rows.push_back(row);
  }
  return rows;
}

}  // namespace kemi::study
