// Looking up presets, naming problems, and the callables the window and the checks use.
#include "study/problem.h"

#include <array>
#include <cmath>
#include <memory>
#include <stdexcept>

#include "study/text_table.h"

namespace kemi::study {
namespace {

constexpr std::array kPresets{Classroom::info, Growth::info, Logistic::info,
                              Gauss::info,     Stiff::info,  Riccati::info};

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;  // clang++ 14 does not deduce it for aggregates

// A typed equation's evaluator shared by copies of one callable; used by one thread at a time.
std::shared_ptr<const Evaluator> sharedEvaluator(const std::string& text, bool withY) {
  return std::make_shared<const Evaluator>(text, withY);
}

}  // namespace

std::span<const PresetInfo> presetInfos() {
  return kPresets;
}

std::optional<AnyEquation> presetById(std::string_view id) {
  if (id == Classroom::info.id) return Classroom{};
  if (id == Growth::info.id) return Growth{};
  if (id == Logistic::info.id) return Logistic{};
  if (id == Gauss::info.id) return Gauss{};
  if (id == Stiff::info.id) return Stiff{};
  if (id == Riccati::info.id) return Riccati{};
  return std::nullopt;
}

std::string presetIdsText() {
  std::string text;
  for (const PresetInfo& p : kPresets) text += (text.empty() ? "" : ", ") + std::string(p.id);
  return text;
}

Problem presetProblem(const AnyEquation& preset) {
  return std::visit(Overloaded{[&](const TypedEquation&) -> Problem {
                                 throw std::invalid_argument("a typed equation has no own start");
                               },
                               [&](const auto& p) -> Problem {
                                 const PresetInfo& i = std::decay_t<decltype(p)>::info;
                                 return {preset, i.x0, i.y0, i.x1};
                               }},
                    preset);
}

std::string equationId(const AnyEquation& equation) {
  return std::visit(
      Overloaded{[](const TypedEquation&) { return std::string("typed"); },
                 [](const auto& p) { return std::string(std::decay_t<decltype(p)>::info.id); }},
      equation);
}

std::string equationFormula(const AnyEquation& equation) {
  return std::visit(Overloaded{[](const TypedEquation& t) { return t.formula; },
                               [](const auto& p) {
                                 return std::string(std::decay_t<decltype(p)>::info.formula);
                               }},
                    equation);
}

std::string problemTitle(const Problem& problem) {
  return equationId(problem.equation) + ": dy/dx = " + equationFormula(problem.equation) +
         " from (" + shortestText(problem.x0) + ", " + shortestText(problem.y0) + ")";
}

bool hasExactSolution(const AnyEquation& equation) {
  return std::visit(Overloaded{[](const TypedEquation& t) { return !t.exact.empty(); },
                               [](const auto& p) { return std::decay_t<decltype(p)>::kHasExact; }},
                    equation);
}

std::function<double(double, double)> slopeFunction(const AnyEquation& equation) {
  return std::visit(Overloaded{[](const TypedEquation& t) -> std::function<double(double, double)> {
                                 auto f = sharedEvaluator(t.formula, true);
                                 return [f](double x, double y) { return (*f)(x, y); };
                               },
                               [](const auto& p) -> std::function<double(double, double)> {
                                 return [p](double x, double y) { return p(x, y); };
                               }},
                    equation);
}

std::function<double(double, double)> dfdyFunction(const AnyEquation& equation) {
  return std::visit(Overloaded{[](const TypedEquation& t) -> std::function<double(double, double)> {
                                 auto f = sharedEvaluator(t.formula, true);
                                 return [f](double x, double y) {
                                   return TypedEquation::dfdy(*f, x, y);
                                 };
                               },
                               [](const auto& p) -> std::function<double(double, double)> {
                                 using P = std::decay_t<decltype(p)>;
                                 return [](double x, double y) { return P::dfdy(x, y); };
                               }},
                    equation);
}

std::function<double(double)> exactFunction(const AnyEquation& equation, double x0, double y0) {
  return std::visit(Overloaded{[](const TypedEquation& t) -> std::function<double(double)> {
                                 if (t.exact.empty()) return {};
                                 auto e = sharedEvaluator(t.exact, false);
                                 return [e](double x) { return (*e)(x); };
                               },
                               [x0, y0](const auto& p) -> std::function<double(double)> {
                                 using P = std::decay_t<decltype(p)>;
                                 if constexpr (!P::kHasExact) return {};
                                 return [x0, y0](double x) { return P::exact(x, x0, y0); };
                               }},
                    equation);
}

}  // namespace kemi::study
