// What the lab studies: an equation dy/dx = f(x, y) (a preset or a typed one), a start (x0, y0)
// and an end x1. The equation is a std::variant, visited once per sweep, table or curve, never
// per step, so that a preset's f is inlined into the step formulas.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <type_traits>
#include <variant>

#include "study/presets.h"
#include "study/typed_equation.h"

namespace kemi::study {

using AnyEquation = std::variant<Classroom, Growth, Logistic, Gauss, Stiff, Riccati, TypedEquation>;

// The presets in the order `kemi-lab equations` lists them.
std::span<const PresetInfo> presetInfos();
// The preset with this id (exact letters); std::nullopt for an unknown one.
std::optional<AnyEquation> presetById(std::string_view id);
// "classroom, growth, logistic, gauss, stiff, riccati", for messages.
std::string presetIdsText();

struct Problem {
  AnyEquation equation = Classroom{};
  double x0 = 0.0;
  double y0 = -1.0;
  double x1 = 1.0;
};

// A preset from its own start to its suggested x1.
Problem presetProblem(const AnyEquation& preset);
// The id of a preset, "typed" for a typed equation.
std::string equationId(const AnyEquation& equation);
// f(x, y) as text: the preset's formula or the typed text.
std::string equationFormula(const AnyEquation& equation);
// "classroom: dy/dx = -2*x - y from (0, -1)", the line that names a problem in a table.
std::string problemTitle(const Problem& problem);

// Whether the equation knows its exact solution (a preset with one, or a typed exact text).
bool hasExactSolution(const AnyEquation& equation);

// Calls run(f) with the equation's f: a preset itself, a typed one's own evaluator. Once per
// loop, never per step, so that a preset's f is inlined into the formula.
template <class Run>
decltype(auto) withSlope(const AnyEquation& equation, Run&& run) {
  return std::visit(
      [&](const auto& e) -> decltype(auto) {
        if constexpr (std::is_same_v<std::decay_t<decltype(e)>, TypedEquation>) {
          const Evaluator f = e.evaluator();
          return run(f);
        } else {
          return run(e);
        }
      },
      equation);
}

// A callable f(x, y) that owns what it needs (a typed equation's own parser): for a direction
// field or for a few points. Each thread makes its own; the loops do not use it.
std::function<double(double, double)> slopeFunction(const AnyEquation& equation);
// df/dy at a point: a preset's own, a typed one's by a central difference.
std::function<double(double, double)> dfdyFunction(const AnyEquation& equation);
// The exact solution through (x0, y0) as a callable of x; empty when there is none. A typed
// exact solution does not depend on the start: it is the one the student gave for it.
std::function<double(double)> exactFunction(const AnyEquation& equation, double x0, double y0);

// Checks the problem: x1 other than x0, all finite, f finite at the start, and a typed exact
// solution that gives y0 at x0 and solves the equation on [x0, x1]. Throws
// std::invalid_argument with one sentence (where it fails) otherwise.
void checkProblem(const Problem& problem);

}  // namespace kemi::study
