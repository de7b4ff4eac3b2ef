// Looking up preset systems, naming problems, and the callables the checks and pictures use.
#include "study/system.h"

#include <array>
#include <memory>
#include <stdexcept>

#include "study/text_table.h"

namespace kemi::study {
namespace {

constexpr std::array kSystems{Oscillator::info,   Damped::info,    Pendulum::info,
                              PredatorPrey::info, VanDerPol::info, VanDerPolStiff::info,
                              Linear2::info};

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

template <class P>
constexpr bool kIsTyped = std::is_same_v<std::decay_t<P>, TypedSystem>;

// A typed text with the state variables bound; shared by copies of one callable.
std::shared_ptr<const NamedExpression> expression(const TypedSystem& t, const std::string& text,
                                                  bool withState) {
  return withState ? std::make_shared<const NamedExpression>(text, t.firstName(), t.secondName())
                   : std::make_shared<const NamedExpression>(text, "", "");
}

}  // namespace

std::span<const SystemInfo> systemInfos() {
  return kSystems;
}

std::optional<AnySystem> systemById(std::string_view id) {
  std::optional<AnySystem> found;
  const auto match = [&](auto preset) {
    if (id == decltype(preset)::info.id) found = preset;
  };
  match(Oscillator{});
  match(Damped{});
  match(Pendulum{});
  match(PredatorPrey{});
  match(VanDerPol{});
  match(VanDerPolStiff{});
  match(Linear2{});
  return found;
}

SystemProblem systemProblem(const AnySystem& preset) {
  return std::visit(
      [&](const auto& p) -> SystemProblem {
        if constexpr (kIsTyped<decltype(p)>) {
          throw std::invalid_argument("a typed system has no own start");
        } else {
          const SystemInfo& i = std::decay_t<decltype(p)>::info;
          return {preset, i.x0, Vec2{{i.y1, i.y2}}, i.x1};
        }
      },
      preset);
}

std::string systemId(const AnySystem& system) {
  return std::visit(
      Overloaded{[](const TypedSystem&) { return std::string("typed"); },
                 [](const auto& p) { return std::string(std::decay_t<decltype(p)>::info.id); }},
      system);
}

std::string systemTitle(const SystemProblem& problem) {
  const std::string formula = std::visit(
      Overloaded{
          [](const TypedSystem& t) { return t.formulaText(); },
          [](const auto& p) { return std::string(std::decay_t<decltype(p)>::info.formula); }},
      problem.system);
  return systemId(problem.system) + ": y' = (" + formula + ") from (" + shortestText(problem.x0) +
         ", (" + shortestText(problem.y0[0]) + ", " + shortestText(problem.y0[1]) + "))";
}

bool hasExactSolution(const AnySystem& system) {
  return std::visit(Overloaded{[](const TypedSystem& t) { return !t.exact.empty(); },
                               [](const auto& p) { return std::decay_t<decltype(p)>::kHasExact; }},
                    system);
}

bool hasInvariant(const AnySystem& system) {
  return std::visit(
      Overloaded{[](const TypedSystem& t) { return !t.invariant.empty(); },
                 [](const auto& p) { return std::decay_t<decltype(p)>::kHasInvariant; }},
      system);
}

bool isSecondOrderWithoutVelocity(const AnySystem& system) {
  return std::visit(
      Overloaded{[](const TypedSystem& t) { return t.secondOrder && !t.usesVelocity; },
                 [](const auto& p) { return std::decay_t<decltype(p)>::info.secondOrder; }},
      system);
}

std::function<Vec2(double, const Vec2&)> systemSlope(const AnySystem& system) {
  return std::visit(
      Overloaded{[](const TypedSystem& t) -> std::function<Vec2(double, const Vec2&)> {
                   auto f = std::make_shared<const TypedSystem::Slope>(t);
                   return [f](double x, const Vec2& y) { return (*f)(x, y); };
                 },
                 [](const auto& p) -> std::function<Vec2(double, const Vec2&)> {
                   return [p](double x, const Vec2& y) { return p(x, y); };
                 }},
      system);
}

std::function<Mat2(double, const Vec2&)> systemJacobian(const AnySystem& system) {
  return std::visit(
      Overloaded{[](const TypedSystem& t) -> std::function<Mat2(double, const Vec2&)> {
                   // Central differences with steps scaled to each component.
                   auto f = std::make_shared<const TypedSystem::Slope>(t);
                   return [f](double x, const Vec2& y) {
                     Mat2 j{};
                     for (std::size_t c = 0; c < 2; ++c) {
                       const double d = 1e-6 * std::max(1.0, std::abs(y[c]));
                       Vec2 up = y;
                       Vec2 down = y;
                       up[c] += d;
                       down[c] -= d;
                       const Vec2 diff = ((*f)(x, up) - (*f)(x, down)) / (2.0 * d);
                       j[c] = diff[0];
                       j[2 + c] = diff[1];
                     }
                     return j;
                   };
                 },
                 [](const auto& p) -> std::function<Mat2(double, const Vec2&)> {
                   using P = std::decay_t<decltype(p)>;
                   return [](double x, const Vec2& y) { return P::jacobian(x, y); };
                 }},
      system);
}

std::function<Vec2(double)> systemExact(const AnySystem& system, double x0, const Vec2& y0) {
  return std::visit(Overloaded{[](const TypedSystem& t) -> std::function<Vec2(double)> {
                                 if (t.exact.empty()) return {};
                                 auto a = expression(t, t.exact[0], false);
                                 auto b = expression(t, t.exact[1], false);
                                 return [a, b](double x) { return Vec2{{(*a)(x), (*b)(x)}}; };
                               },
                               [x0, y0](const auto& p) -> std::function<Vec2(double)> {
                                 using P = std::decay_t<decltype(p)>;
                                 if constexpr (!P::kHasExact) return {};
                                 return [x0, y0](double x) { return P::exact(x, x0, y0); };
                               }},
                    system);
}

std::function<double(const Vec2&)> systemInvariant(const AnySystem& system) {
  return std::visit(Overloaded{[](const TypedSystem& t) -> std::function<double(const Vec2&)> {
                                 if (t.invariant.empty()) return {};
                                 auto e = expression(t, t.invariant, true);
                                 return [e](const Vec2& y) { return (*e)(0.0, y[0], y[1]); };
                               },
                               [](const auto& p) -> std::function<double(const Vec2&)> {
                                 using P = std::decay_t<decltype(p)>;
                                 if constexpr (!P::kHasInvariant) return {};
                                 return [](const Vec2& y) { return P::invariant(y); };
                               }},
                    system);
}

}  // namespace kemi::study
