// Presets, stability and sweeps on systems, and the typed systems' refusals. The oscillator is
// y1' = y2, y2' = -y1 from (1, 0), exact (cos x, -sin x); damped is y'' = -y - 0.2 y' from (1, 0).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "study/stability.h"
#include "study/system_convergence.h"
#include "study/system_methods.h"
#include "study/system_solution.h"
#include "study/system_stability.h"
#include "study/system_steps.h"

namespace kemi::study {
namespace {

TEST(SystemStudyTest, EachPresetsExactSolutionSolvesItAndItsInvariantStaysPut) {
  for (const SystemInfo& info : systemInfos()) {
    SCOPED_TRACE(std::string(info.id));
    const SystemProblem p = systemProblem(*systemById(info.id));
    const auto f = systemSlope(p.system);
    const SystemSolution solution(p, systemSamples(p, 16));
    EXPECT_LT(maxNorm(solution.at(p.x0), p.y0), 1e-12);
    for (const double x : systemSamples(p, 16)) {
      const double d = 1e-5;
      const Vec2 derivative = (solution.at(x + d) - solution.at(x - d)) / (2.0 * d);
      if (solution.exact()) {
        EXPECT_LT(maxNorm(derivative, f(x, solution.at(x))), 1e-8) << x;
      }
      if (const auto invariant = systemInvariant(p.system)) {
        EXPECT_NEAR(invariant(solution.at(x)), invariant(p.y0), 1e-9) << x;
      }
    }
  }
}

TEST(SystemStudyTest, ImaginaryAxisLimitsAndTheOscillatorsStepLimits) {
  const double expected[] = {0.0,
                             0.0,
                             0.0,
                             2.0 * std::numbers::sqrt2,
                             0.0,
                             2.0 * std::numbers::sqrt3,
                             2.0 * std::numbers::sqrt2,
                             2.0,
                             2.0};
  for (std::size_t m = 0; m < kSystemMethodCount; ++m)
    EXPECT_NEAR(imagLimit(m), expected[m], 1e-8) << systemMethodId(m);
  const SystemProblem oscillator = systemProblem(Oscillator{});
  const std::vector<SystemStabilityRow> rows =
      systemStabilityRows(oscillator, {0, 3, 4, kSymplecticEuler});
  EXPECT_EQ(rows[0].hLimit, 0.0);  // Euler: unstable for every h
  EXPECT_EQ(rows[0].lambda, Complex(0.0, 1.0));
  EXPECT_NEAR(rows[1].hLimit, 2.0 * std::numbers::sqrt2, 1e-8);
  EXPECT_EQ(rows[1].nMin, 4);  // 10 / 4 = 2.5 <= 2.83 < 10 / 3
  EXPECT_EQ(rows[2].hLimit, 0.0);
  EXPECT_EQ(rows[3].hLimit, 2.0);
  // linear2: eigenvalues -1 and -10, the fast one bounds RK4 at 2.785 / 10.
  const std::vector<SystemStabilityRow> linear = systemStabilityRows(systemProblem(Linear2{}), {3});
  EXPECT_EQ(linear[0].lambda, Complex(-10.0, 0.0));
  EXPECT_NEAR(linear[0].hLimit, stabilityLimit(3) / 10.0, 1e-9);
}

TEST(SystemStudyTest, ObservedOrdersOnOscillatorAndDamped) {
  const struct {
    AnySystem system;
    std::vector<std::size_t> methods;
  } cases[] = {{Oscillator{}, {0, 1, 2, 3, 4, 5, 6, kSymplecticEuler, kVerlet}},
               {Damped{}, {0, 1, 2, 3, 4, 5, 6}},
               // Against a reference; the pendulum's saddle eigenvalues past |y1| = pi/2 must
               // not count as growth of the symplectic methods.
               {Pendulum{}, {3, kSymplecticEuler, kVerlet}}};
  for (const auto& c : cases) {
    SystemProblem p = systemProblem(c.system);
    p.x1 = 2.0;
    const SystemConvergenceResult r = runSystemConvergence(p, {1.0, 1 << 10, c.methods, 2});
    for (const std::size_t m : c.methods) {
      SCOPED_TRACE(systemId(p.system) + " " + std::string(systemMethodId(m)));
      // The order at N = 32 (h = 1/16), well before any rounding floor.
      const auto row = std::find_if(r.rows.begin(), r.rows.end(), [m](const auto& row) {
        return row.method == m && row.N == 32;
      });
      ASSERT_NE(row, r.rows.end());
      ASSERT_TRUE(row->hasOrder());
      EXPECT_NEAR(row->observedOrder, systemMethodOrder(m), 0.3);
    }
  }
}

// The rows are the rule's, whatever runs them: the calling thread alone, one worker or three.
TEST(SystemStudyTest, RowsDoNotDependOnTheWorkers) {
  SystemProblem p = systemProblem(VanDerPolStiff{});
  ConvergenceSettings inline_{p.x1, 1 << 9, {0, 3, 4}, 1};
  inline_.onCaller = true;
  const SystemConvergenceResult a = runSystemConvergence(p, inline_);
  for (const unsigned workers : {1u, 3u}) {
    const SystemConvergenceResult b = runSystemConvergence(p, {p.x1, 1 << 9, {0, 3, 4}, workers});
    ASSERT_EQ(a.rows.size(), b.rows.size());
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
      EXPECT_EQ(a.rows[i].N, b.rows[i].N);
      EXPECT_EQ(a.rows[i].y[0], b.rows[i].y[0]);
      EXPECT_EQ(a.rows[i].y[1], b.rows[i].y[1]);
      EXPECT_EQ(a.rows[i].hasOrder(), b.rows[i].hasOrder());
      if (a.rows[i].hasOrder()) {
        EXPECT_EQ(a.rows[i].observedOrder, b.rows[i].observedOrder);
      }
    }
    EXPECT_EQ(a.ends.size(), b.ends.size());
  }
}

TEST(SystemStudyTest, TypedSystemsStepAsThePresetsAndReferencesMatchExactSolutions) {
  const struct {
    AnySystem preset;
    TypedSystem typed;
  } cases[] = {
      {Oscillator{}, TypedSystem::fromSecondOrder("-y", "", "")},
      {Oscillator{}, TypedSystem::firstOrder("y2; -y1", "", "")},
      {Damped{}, TypedSystem::firstOrder("y2; -y1 - 0.2*y2", "", "")},
      {PredatorPrey{}, TypedSystem::firstOrder("y1*(1 - y2); y2*(y1 - 1)", "", "")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed.formulaText());
    const SystemProblem preset = systemProblem(c.preset);
    SystemProblem typed = preset;
    typed.system = c.typed;
    for (const std::size_t m : {0ul, 3ul, 4ul}) {
      const SystemPolygon a = systemPolygon(preset, m, 50);
      const SystemPolygon b = systemPolygon(typed, m, 50);
      EXPECT_EQ(a.y, b.y) << systemMethodId(m);
    }
    // Without the exact solution the typed one is measured against a reference within its
    // stated accuracy.
    if (hasExactSolution(c.preset)) {
      const SystemSolution exact(preset, systemSamples(preset, 8));
      const SystemSolution reference(typed, systemSamples(typed, 8));
      ASSERT_FALSE(reference.exact());
      EXPECT_LT(reference.accuracy(), 1e-9);
      for (const double x : systemSamples(typed, 8))
        EXPECT_LE(maxNorm(exact.at(x), reference.at(x)), reference.accuracy()) << x;
    }
  }
}

TEST(SystemStudyTest, StepTableStagesMakeTheStepAndTheRowsAreThePolygons) {
  const SystemProblem p = systemProblem(Pendulum{});
  const SystemStepTable table = buildSystemStepTable(p, 3, 20);
  const SystemPolygon polygon = systemPolygon(p, 3, 20);
  ASSERT_EQ(table.rows.size(), polygon.y.size());
  for (std::size_t i = 1; i < table.rows.size(); ++i) {
    const SystemStepRow& r = table.rows[i];
    EXPECT_EQ(r.y, polygon.y[i]);
    EXPECT_EQ(r.stages, 4);
    // RK4's last line, from the recorded stages.
    const Vec2 y = table.rows[i - 1].y + (((r.k[0] + 2.0 * r.k[1]) + 2.0 * r.k[2]) + r.k[3]) / 6.0;
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.invariant, Pendulum::invariant(r.y));
  }
}

TEST(SystemStudyTest, StiffSweepSkipsOverflowingUnstableRowsAndGoesOn) {
  // vanderpol-stiff to x1 = 2: lambda near -30, so RK4's steps overflow for h > 0.09 or so.
  SystemProblem p = systemProblem(VanDerPolStiff{});
  p.x1 = 2.0;
  const SystemConvergenceResult r = runSystemConvergence(p, {1.0, 1 << 9, {3}, 1});
  EXPECT_TRUE(r.ends.empty());
  ASSERT_FALSE(r.rows.empty());
  // N = 4, 8, 16 overflowed and have no row; the row after the gap gets no order.
  const auto after =
      std::find_if(r.rows.begin() + 1, r.rows.end(), [](const auto& row) { return row.N == 32; });
  ASSERT_NE(after, r.rows.end());
  EXPECT_EQ((after - 1)->N, 2);
  EXPECT_FALSE(after->hasOrder());
  EXPECT_EQ(r.rows.back().N, 512);
  ASSERT_TRUE(r.rows.back().hasOrder());
  EXPECT_NEAR(r.rows.back().observedOrder, 4.0, 0.3);
}

TEST(SystemStudyTest, RefusalsSayWhatIsWrong) {
  const auto refused = [](const std::function<void()>& make, const std::string& part) {
    try {
      make();
    } catch (const std::invalid_argument& e) {
      EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
      return;
    }
    ADD_FAILURE() << "not refused: " << part;
  };
  refused([] { TypedSystem::firstOrder("y2; -y1; 0", "", ""); }, "not 3");
  refused([] { TypedSystem::firstOrder("y2; -y3", "", ""); }, "'y3'");
  refused([] { TypedSystem::firstOrder("v; -y1", "", ""); }, "'v'");
  refused([] { TypedSystem::fromSecondOrder("-y1", "", ""); }, "the variables are x, y and v");
  const auto check = [](const TypedSystem& s) {
    checkSystemProblem({s, 0.0, Vec2{{1.0, 0.0}}, 3.0});
  };
  refused([&] { check(TypedSystem::firstOrder("y2; -y1", "cos(x); sin(x)", "")); },
          "does not solve the system: at x = 0.09375");
  refused([&] { check(TypedSystem::firstOrder("y2; -y1", "", "y1^2 + 2*y2^2")); },
          "not constant along the reference solution");
  refused([&] { check(TypedSystem::fromSecondOrder("-y", "cos(x); -sin(x)", "y^2 + v")); },
          "not constant along the exact solution");
  refused([] { systemFinalPoint(systemProblem(Damped{}), kVerlet, 4); }, "Verlet applies only");
  refused(
      [] {
        systemFinalPoint({TypedSystem::fromSecondOrder("-y - v", "", ""), 0.0, {}, 1.0},
                         kSymplecticEuler, 4);
      },
      "SymplecticEuler applies only");
  // A reference whose second component alone turns to NaN stops as one equation's does.
  refused(
      [] {
        SystemSolution({TypedSystem::firstOrder("1; sqrt(1 - x)", "", ""), 0.0, {}, 2.0});
      },
      "leaves the range of a double");
  // Accepted: a typed second-order equation without v, with its exact solution and energy.
  check(TypedSystem::fromSecondOrder("-y", "cos(x); -sin(x)", "y^2 + v^2"));
}

}  // namespace
}  // namespace kemi::study
