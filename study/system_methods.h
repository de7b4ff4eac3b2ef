// The methods on a system: the seven of the method table on Vec2, and two more for second-order
// equations y'' = g(x, y) written as y1' = y2, y2' = g(x, y1), which advance position and
// velocity apart and so keep a nearby energy: symplectic Euler and velocity Verlet.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/method_table.h"
#include "core/vec.h"

namespace kemi::study {

// Velocity first: v+ = v + h g(x, y), then y+ = y + h v+.
struct SymplecticEulerFormula {
  template <class F, class Observe>
  static void apply(F&& f, const double& x0, const Vec2& y0, const double& h, Vec2& y,
                    Observe&& observe) {
    const Vec2 k1 = h * f(x0, y0);
    observe(1, k1);
    const double v = y0[1] + k1[1];
    y = Vec2{{y0[0] + h * v, v}};
  }
};

// Velocity Verlet: y+ = y + h v + (h^2/2) a, a+ = g(x + h, y+), v+ = v + (h/2)(a + a+). The
// acceleration at the start is evaluated again each step, since a step carries no state.
struct VerletFormula {
  template <class F, class Observe>
  static void apply(F&& f, const double& x0, const Vec2& y0, const double& h, Vec2& y,
                    Observe&& observe) {
    const Vec2 k1 = h * f(x0, y0);
    observe(1, k1);
    const double position = (y0[0] + h * y0[1]) + (h * k1[1]) / 2.0;
    const Vec2 k2 = h * f(x0 + h, Vec2{{position, y0[1]}});
    observe(2, k2);
    y = Vec2{{position, y0[1] + (k1[1] + k2[1]) / 2.0}};
  }
};

inline constexpr std::size_t kSymplecticEuler = kMethods.size();
inline constexpr std::size_t kVerlet = kMethods.size() + 1;
inline constexpr std::size_t kSystemMethodCount = kMethods.size() + 2;

std::string_view systemMethodId(std::size_t method);
int systemMethodOrder(std::size_t method);
int systemMethodEvaluations(std::size_t method);
bool isSymplectic(std::size_t method);
// Any of the nine ids in any letter case.
std::optional<std::size_t> systemMethodById(std::string_view id);

// Calls visit(Formula{}) with the formula of method `method` of the nine.
template <class Visit>
decltype(auto) withSystemFormula(std::size_t method, Visit&& visit) {
  if (method == kSymplecticEuler) return visit(SymplecticEulerFormula{});
  if (method == kVerlet) return visit(VerletFormula{});
  return withFormula(method, std::forward<Visit>(visit));
}

}  // namespace kemi::study
