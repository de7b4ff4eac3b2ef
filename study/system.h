// What the lab studies on a system of two equations: a preset system or a typed one, a start
// (x0, (y1, y2)) and an end x1. As for one equation, the system is a std::variant visited once
// per sweep, table or curve, never per step.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "study/system_presets.h"
#include "study/system_presets_nonlinear.h"
#include "study/typed_system.h"

namespace kemi::study {

using AnySystem = std::variant<Oscillator, Damped, Pendulum, PredatorPrey, VanDerPol,
                               VanDerPolStiff, Linear2, TypedSystem>;

// The preset systems in the order `kemi-lab equations` lists them.
std::span<const SystemInfo> systemInfos();
std::optional<AnySystem> systemById(std::string_view id);

struct SystemProblem {
  AnySystem system = Oscillator{};
  double x0 = 0.0;
  Vec2 y0{{1.0, 0.0}};
  double x1 = 10.0;
};

SystemProblem systemProblem(const AnySystem& preset);
std::string systemId(const AnySystem& system);
// "oscillator: y' = (y2; -y1) from (0, (1, 0))", the line that names a problem in a table.
std::string systemTitle(const SystemProblem& problem);

bool hasExactSolution(const AnySystem& system);
bool hasInvariant(const AnySystem& system);
// y1' = y2, y2' = g(x, y1): the symplectic methods apply.
bool isSecondOrderWithoutVelocity(const AnySystem& system);

// Callables that own what they need (a typed system's parsers), for a few points or one thread.
std::function<Vec2(double, const Vec2&)> systemSlope(const AnySystem& system);
std::function<Mat2(double, const Vec2&)> systemJacobian(const AnySystem& system);
// Empty when there is none.
std::function<Vec2(double)> systemExact(const AnySystem& system, double x0, const Vec2& y0);
std::function<double(const Vec2&)> systemInvariant(const AnySystem& system);

// Calls run(f) with the system's f inlined: a preset itself, a typed system's own Slope.
template <class Run>
decltype(auto) withSystemSlope(const AnySystem& system, Run&& run) {
  return std::visit(
      [&](const auto& s) -> decltype(auto) {
        if constexpr (std::is_same_v<std::decay_t<decltype(s)>, TypedSystem>) {
          const TypedSystem::Slope f = s.slope();
          return run(f);
        } else {
          return run(s);
        }
      },
      system);
}

// Checks the problem: all finite, x1 other than x0, f finite at the start, a typed exact
// solution that starts at y0 and solves the system, a typed invariant that the exact solution
// keeps. Throws std::invalid_argument with one sentence (where it fails) otherwise.
void checkSystemProblem(const SystemProblem& problem);

}  // namespace kemi::study
