// The step formulas on a state of two: each component exactly as the scalar formula, the energy
// factors of the oscillator y1' = y2, y2' = -y1 (exact (cos x, -sin x) from (1, 0)), and the
// symplectic methods on it.
#include <gtest/gtest.h>

#include <cmath>

#include "core/vec.h"
#include "study/system_methods.h"
#include "study/system_steps.h"

namespace kemi::study {
namespace {

// Classroom's f1 in component 1 and y' = x*y - 1 in component 2, each on its own component.
struct TwoScalars {
  Vec2 operator()(const double& x, const Vec2& y) const { return {{f1(x, y[0]), x * y[1] - 1.0}}; }
};
struct OneScalar {
  Vec<1> operator()(const double& x, const Vec<1>& y) const { return {{f1(x, y[0])}}; }
};

TEST(SystemStepsTest, EachComponentStepsBitForBitAsTheScalarEquation) {
  for (std::size_t m = 0; m < kMethods.size(); ++m) {
    SCOPED_TRACE(std::string(kMethods[m].id));
    withFormula(m, [&](auto formula) {
      using Formula = decltype(formula);
      const auto second = [](const double& x, const double& y) { return x * y - 1.0; };
      double x = 0.0;
      double a = -1.0;
      double b = 0.5;
      Vec<1> one{{a}};
      Vec2 two{{a, b}};
      const double h = 0.1;
      for (int i = 0; i < 25; ++i) {
        double na = 0.0;
        double nb = 0.0;
        Formula::apply(Equation{}, x, a, h, na, NoStages{});
        Formula::apply(second, x, b, h, nb, NoStages{});
        Formula::apply(OneScalar{}, x, Vec<1>(one), h, one, NoStages{});
        Formula::apply(TwoScalars{}, x, Vec2(two), h, two, NoStages{});
        a = na;
        b = nb;
        x = x + h;
        ASSERT_EQ(one[0], a);
        ASSERT_EQ(two[0], a);
        ASSERT_EQ(two[1], b);
      }
    });
  }
}

TEST(SystemStepsTest, OscillatorEnergyChangesByTheMethodsFactorEachStep) {
  const struct {
    std::size_t method;
    double (*factor)(double h);
  } cases[] = {
      {0, [](double h) { return 1.0 + h * h; }},
      {1, [](double h) { return 1.0 + std::pow(h, 4) / 4.0; }},
      {2, [](double h) { return 1.0 + std::pow(h, 4) / 4.0; }},
      {3, [](double h) { return 1.0 - std::pow(h, 6) / 72.0 + std::pow(h, 8) / 576.0; }},
      {6, [](double h) { return 1.0 - std::pow(h, 6) / 72.0 + std::pow(h, 8) / 576.0; }},
  };
  for (const auto& c : cases)
    for (const double h : {0.5, 0.1, 1.5}) {
      SCOPED_TRACE(std::string(kMethods[c.method].id) + " h " + std::to_string(h));
      Vec2 y{{0.6, -0.8}};
      withFormula(c.method, [&](auto formula) {
        for (int i = 0; i < 10; ++i) {
          const double before = Oscillator::invariant(y);
          Vec2 next;
          decltype(formula)::apply(Oscillator{}, 0.0, y, h, next, NoStages{});
          EXPECT_NEAR(Oscillator::invariant(next) / before, c.factor(h), 1e-14);
          y = next;
        }
      });
    }
}

TEST(SystemStepsTest, SymplecticEulerKeepsItsModifiedEnergyAndVerletStaysNear) {
  const double h = 0.3;
  const SystemProblem problem{Oscillator{}, 0.0, Vec2{{1.0, 0.0}}, 3000.0};
  const SystemPolygon euler = systemPolygon(problem, kSymplecticEuler, 10000);
  const auto modified = [h](const Vec2& y) {
    return (y[0] * y[0] + y[1] * y[1]) - h * y[0] * y[1];
  };
  double largest = 0.0;
  for (const Vec2& y : euler.y) largest = std::max(largest, std::abs(modified(y) - 1.0));
  EXPECT_LT(largest, 1e-12);
  // Velocity Verlet's energy stays within O(h^2) of the start over 10000 steps, no drift.
  const SystemPolygon verlet = systemPolygon(problem, kVerlet, 10000);
  for (const Vec2& y : verlet.y) ASSERT_LT(std::abs(Oscillator::invariant(y) - 1.0), h * h / 2.0);
  EXPECT_NEAR(Oscillator::invariant(verlet.y.back()), 1.0, h * h / 2.0);
}

}  // namespace
}  // namespace kemi::study
