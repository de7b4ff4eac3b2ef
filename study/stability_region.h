// Stability regions in the complex plane. R(z) of a method is one step of its own formula on
// y' = z y from y = 1 with h = 1, taken in complex arithmetic; its region is {z : |R(z)| <= 1}.
#pragma once

#include <complex>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kemi::study {

using Complex = std::complex<double>;

// R(z) of kMethods[method].
Complex stabilityFunction(std::size_t method, Complex z);

// Whether z = h * lambda lies in the region of kMethods[method].
bool stableAt(std::size_t method, Complex z);

// A rectangle of the complex plane seen as width x height pixels, each sampled at its centre;
// row 0 is the top, the largest imaginary part.
struct PlaneGrid {
  double reMin = -5.0;
  double reMax = 1.0;
  double imMin = -3.5;
  double imMax = 3.5;
  int width = 0;
  int height = 0;

  Complex at(int column, int row) const;
};

// One byte per pixel, row after row: 1 where |R(z)| <= 1, else 0.
std::vector<std::uint8_t> regionMask(std::size_t method, const PlaneGrid& grid);

}  // namespace kemi::study
