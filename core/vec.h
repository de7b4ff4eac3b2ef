// The state of a system of D first-order equations: D doubles with + and - between states and
// * and / by a number, each element by element. Every component is computed with the very
// operation the scalar formula applies to y, so a step formula instantiated on Vec<D> gives
// each component the bits it would give one equation with that component's slope.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>

namespace kemi {

template <std::size_t D>
struct Vec {
  std::array<double, D> c{};

  static constexpr std::size_t size() { return D; }
  double& operator[](std::size_t i) { return c[i]; }
  const double& operator[](std::size_t i) const { return c[i]; }
  friend bool operator==(const Vec&, const Vec&) = default;

  friend Vec operator+(const Vec& a, const Vec& b) {
    Vec r;
    for (std::size_t i = 0; i < D; ++i) r.c[i] = a.c[i] + b.c[i];
    return r;
  }
  friend Vec operator-(const Vec& a, const Vec& b) {
    Vec r;
    for (std::size_t i = 0; i < D; ++i) r.c[i] = a.c[i] - b.c[i];
    return r;
  }
  friend Vec operator*(const double& s, const Vec& a) {
    Vec r;
    for (std::size_t i = 0; i < D; ++i) r.c[i] = s * a.c[i];
    return r;
  }
  friend Vec operator*(const Vec& a, const double& s) {
    Vec r;
    for (std::size_t i = 0; i < D; ++i) r.c[i] = a.c[i] * s;
    return r;
  }
  friend Vec operator/(const Vec& a, const double& s) {
    Vec r;
    for (std::size_t i = 0; i < D; ++i) r.c[i] = a.c[i] / s;
    return r;
  }
};

using Vec2 = Vec<2>;

// For the step loop: a state is within the range of a double when every component is.
template <std::size_t D>
inline bool isFiniteState(const Vec<D>& v) {
  for (const double c : v.c)
    if (!std::isfinite(c)) return false;
  return true;
}

}  // namespace kemi
