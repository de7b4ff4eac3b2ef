// R(z) and the region's pixels. Each method's formula is instantiated on complex values with the
// right-hand side y' = z y, and the pixel loop is compiled per method (the method is picked once,
// outside it), so a region of a few hundred thousand pixels costs no indirect call per pixel.
#include "study/stability_region.h"

#include <stdexcept>

#include "core/method_table.h"

namespace kemi::study {
namespace {

// y' = z y. The product is written out: the library's complex multiplication also rescues
// infinite parts from NaN, which a region needs no more than this (a NaN is outside it too)
// and which costs a call per stage.
struct Linear {
  Complex z;
  Complex operator()(const double& /*x*/, const Complex& y) const {
    return {z.real() * y.real() - z.imag() * y.imag(), z.real() * y.imag() + z.imag() * y.real()};
  }
};

template <class Formula>
Complex amplificationOf(Complex z) {
  const Complex one(1.0, 0.0);
  Complex y;
  Formula::apply(Linear{z}, 0.0, one, 1.0, y, NoStages{});
  return y;
}

// std::norm is |R|^2, which is <= 1 exactly where |R| <= 1 and needs no square root.
template <class Formula>
void fillMask(const PlaneGrid& grid, std::uint8_t* mask) {
  for (int row = 0; row < grid.height; ++row)
    for (int column = 0; column < grid.width; ++column)
      *mask++ = std::norm(amplificationOf<Formula>(grid.at(column, row))) <= 1.0 ? 1 : 0;
}

}  // namespace

Complex PlaneGrid::at(int column, int row) const {
  const double re = reMin + (reMax - reMin) * (column + 0.5) / width;
  const double im = imMax - (imMax - imMin) * (row + 0.5) / height;
  return {re, im};
}

Complex stabilityFunction(std::size_t method, Complex z) {
  return withFormula(method, [z](auto formula) { return amplificationOf<decltype(formula)>(z); });
}

bool stableAt(std::size_t method, Complex z) {
  return std::norm(stabilityFunction(method, z)) <= 1.0;
}

std::vector<std::uint8_t> regionMask(std::size_t method, const PlaneGrid& grid) {
  if (grid.width < 0 || grid.height < 0) throw std::invalid_argument("negative grid size");
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(grid.width) *
                                 static_cast<std::size_t>(grid.height));
  withFormula(method, [&](auto formula) { fillMask<decltype(formula)>(grid, mask.data()); });
  return mask;
}

}  // namespace kemi::study
