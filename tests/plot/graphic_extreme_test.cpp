// The solution plot over extreme tables: huge, tiny, equal and subnormal values, the float and
// double limits, signed zeros, one point, step counts below 1 and zero-width ranges. Whatever the
// tables hold, Graphic ends, clears first, scales at most once, draws a bounded number of finite
// lines with the axes last, or leaves only the cleared area with a cause. KEMI_SEED=<n> replays
// the random part.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "plot/graphic.h"
#include "plot/grid.h"
#include "tests/plot/plot_tables.h"
#include "tests/plot/recording_surface.h"

namespace kemi::test {
namespace {

constexpr Rgb kRed = 0xFF0000;
constexpr Rgb kGrey = 0xE6E6E6;
constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");
const double kAboveFloat = std::nextafter(static_cast<double>(FLT_MAX), kInf);
constexpr double kTiny = std::numeric_limits<double>::denorm_min();

bool finiteLine(const Op& op) {
  return std::isfinite(op.a) && std::isfinite(op.b) && std::isfinite(op.c) && std::isfinite(op.d);
}

// The segments the tables ask for: npt exact ones and one red one per whole i <= N.
std::int64_t segments(const Tables& t, std::optional<Rgb> colour) {
  if (colour) return t.N >= 1 ? static_cast<std::int64_t>(std::floor(t.N)) : 0;
  return t.npt;
}

// What holds for every table: Clear first; then either nothing else and a cause, or one
// SetScale, the curves, a bounded grid and the two axes, every coordinate finite.
void expectWellFormed(const Tables& t, const Drawn& o) {
  const std::vector<Op>& ops = o.surface.ops;
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops[0].kind, Op::kClear);
  if (o.cause) {
    EXPECT_EQ(ops, std::vector<Op>{clearOp()}) << *o.cause;
    EXPECT_FALSE(o.cause->empty());
    return;
  }
  ASSERT_GE(ops.size(), 4u);
  ASSERT_EQ(ops[1].kind, Op::kSetScale);
  const Op& scale = ops[1];
  EXPECT_TRUE(std::isfinite(scale.a) && std::isfinite(scale.b) && std::isfinite(scale.c) &&
              std::isfinite(scale.d));
  EXPECT_LT(scale.a, scale.c);
  EXPECT_GT(scale.b, scale.d);
  std::int64_t vertical = 0, horizontal = 0, grey = 0;
  for (std::size_t i = 2; i < ops.size(); ++i) {
    ASSERT_EQ(ops[i].kind, Op::kLine) << "call " << i;
    ASSERT_TRUE(finiteLine(ops[i])) << "call " << i;
    if (ops[i].colour != kGrey) continue;
    ++grey;
    if (ops[i].a == ops[i].c && ops[i].b != ops[i].d) ++vertical;
    if (ops[i].b == ops[i].d && ops[i].a != ops[i].c) ++horizontal;
  }
  EXPECT_LE(vertical, kMaxGridLines);
  EXPECT_LE(horizontal, kMaxGridLines);
  EXPECT_LE(grey, 2 * kMaxGridLines);
  EXPECT_EQ(static_cast<std::int64_t>(o.surface.lines(kRed).size()), segments(t, kRed));
  EXPECT_EQ(static_cast<std::int64_t>(o.surface.lines(std::nullopt).size()),
            segments(t, std::nullopt) + 2);
  EXPECT_LE(static_cast<std::int64_t>(ops.size()),
            2 + segments(t, kRed) + segments(t, std::nullopt) + 2 * kMaxGridLines + 2);
  // The axes come last, through the origin, symmetric with the x1 written back.
  ASSERT_TRUE(std::isfinite(o.x1));
  EXPECT_GE(o.x1, 0.0);
  EXPECT_EQ(ops[ops.size() - 2], lineOp(-o.x1, 0, o.x1, 0));
  EXPECT_EQ(ops.back().a, 0.0f);
  EXPECT_EQ(ops.back().c, 0.0f);
  EXPECT_EQ(ops.back().b, -ops.back().d);
}

// A table of n + 1 entries, all `v`.
std::vector<double> same(int n, double v) {
  return std::vector<double>(static_cast<std::size_t>(n) + 1, v);
}

// Exact and numerical tables, the numerical one with the unread slot N + 1 after its points.
Tables tables(std::vector<double> XA, std::vector<double> YA, std::vector<double> X,
              std::vector<double> Y, double N) {
  Tables t{std::move(XA), std::move(YA), std::move(X), std::move(Y), 0, N};
  t.npt = static_cast<int>(t.XA.size()) - 1;
  t.X.push_back(0);
  t.Y.push_back(0);
  return t;
}

struct Extreme {
  const char* name;
  Tables tables;
  double x1;
  bool plottable;
};

void PrintTo(const Extreme& e, std::ostream* os) {
  *os << e.name;
}

std::vector<Extreme> extremes() {
  const double fmax = FLT_MAX;
  return {
      {"DefaultEntries", tables({0, 0.4}, {-1, -0.81}, {0, 0.4}, {-1, -0.6}, 1), 0.4, true},
      {"OnePointNoSteps", tables({0}, {-1}, {0}, {-1}, 0), 0.4, true},
      {"OnePointAtZeroWidth", tables({0}, {-1}, {0}, {-1}, 0.5), -1, false},
      {"StepCountBelowOne", tables({0, 0.2}, {-1, -0.9}, {0}, {-1}, 0.49), 0.2, true},
      {"NegativeStepCountReadsNoSegment", tables({0, 0.2}, {-1, -0.9}, {0}, {-1}, -0.4), 0.2, true},
      {"AllEqual", tables(same(10, 5), same(10, 5), same(3, 5), same(3, 5), 3), 5, true},
      {"AllZeroAbscissae", tables(same(10, 0), same(10, -1), same(3, 0), same(3, -1), 3), 0, false},
      {"SignedZeros", tables({-0.0, 0.0}, {0.0, -0.0}, {0.0, -0.0}, {-0.0, 0.0}, 1), -0.0, false},
      {"SignedZeroTargetWithWidth", tables({0.0, -0.5}, {-1, -2}, {0.0, -0.5}, {-1, -2}, 1), -0.0,
       true},
      {"ZeroHeight", tables({0, 1}, {0, 0}, {0, 1}, {0, -0.0}, 1), 1, false},
      {"NegativeTarget", tables({0, -1}, {-1, -0.5}, {0, -1}, {-1, 3}, 1), -1, true},
      {"HugeOrdinates", tables({0, 1}, {-1, -1e30}, {0, 1}, {-1, 1e30}, 1), 1, true},
      {"HugeTarget", tables({0, 1e37}, {-1, -2e37}, {0, 1e37}, {-1, 3e37}, 1), 1e37, true},
      // Narrower than a float can tell apart: refused rather than collapsed onto the origin.
      {"TinyRange", tables({0, 1e-300}, {-1e-300, 0}, {0, 1e-300}, {-1e-300, 0}, 1), 1e-300, false},
      {"SubnormalRange", tables({0, kTiny}, {-kTiny, 0}, {0, kTiny}, {0, -kTiny}, 1), kTiny, false},
      {"SubnormalWidthFromTheAbscissae", tables({0, -kTiny}, {-1, -1}, {0}, {-1}, 0), -1, false},
      {"NearFloatLimit", tables({0, 3.4e38}, {-3.4e38, 3.4e38}, {0, 3.4e38}, {-1, 3.4e38}, 1),
       3.4e38, true},
      {"AtFloatLimit", tables({-fmax, fmax}, {-fmax, fmax}, {-fmax, fmax}, {fmax, -fmax}, 1), fmax,
       true},
      {"OrdinateJustAboveFloat", tables({0, 1}, {-1, kAboveFloat}, {0, 1}, {-1, 0}, 1), 1, false},
      {"AbscissaJustAboveFloat", tables({0, 1}, {-1, 0}, {0, -kAboveFloat}, {-1, 0}, 1), 1, false},
      {"TargetJustAboveFloat", tables({0, 1}, {-1, 0}, {0, 1}, {-1, 0}, 1), kAboveFloat, false},
      {"StartBelowMinusFloatLimit", tables({0}, {-1}, {-kAboveFloat}, {-1}, 0), 1, false},
      {"NearDoubleLimit", tables({0, 1}, {-1, -DBL_MAX}, {0, 1}, {-1, DBL_MAX}, 1), 1, false},
      {"TargetNearDoubleLimit", tables({0, 1}, {-1, 0}, {0, 1}, {-1, 0}, 1), DBL_MAX, false},
      {"NegativeTargetNearDoubleLimit", tables({0, 1}, {-1, 0}, {0, 1}, {-1, 0}, 1), -DBL_MAX,
       true},
      {"InfiniteTarget", tables({0, 1}, {-1, 0}, {0, 1}, {-1, 0}, 1), kInf, false},
      {"NotANumberTarget", tables({0, 1}, {-1, 0}, {0, 1}, {-1, 0}, 1), kNaN, false},
      {"NotANumberOrdinate", tables({0, 1}, {-1, kNaN}, {0, 1}, {-1, 0}, 1), 1, false},
      {"InfiniteOrdinate", tables({0, 1}, {-1, 0}, {0, 1}, {-1, -kInf}, 1), 1, false},
      {"HugeStartPositive", tables({1e30, 2e30}, {-1, 0}, {1e30, 2e30}, {-1, 0}, 1), 3e30, true},
      {"HugeStartNegative", tables({-3e38, 0}, {-1, 0}, {-3e38, 0}, {-1, 0}, 1), -1e20, true},
      {"StepCountBeyondTheTable", tables({0}, {-1}, {0, 1}, {-1, 0}, 7), 1, false},
      {"InfiniteStepCount", tables({0}, {-1}, {0, 1}, {-1, 0}, kInf), 1, false},
      {"NotANumberStepCount", tables({0}, {-1}, {0, 1}, {-1, 0}, kNaN), 1, true},
      {"EmptyExactTable", Tables{{}, {}, {0, 1}, {-1, 0}, 0, 0}, 1, false},
      {"GridBeyondTheAccumulatingLoop", tables({0, 1e17}, {-1, -1e17}, {0}, {-1}, 0), 1e17, true},
  };
}

class GraphicExtremeTableTest : public ::testing::TestWithParam<Extreme> {};

TEST_P(GraphicExtremeTableTest, EndsWithBoundedFiniteLinesOrOnlyAClearedArea) {
  const Extreme& e = GetParam();
  const Drawn o = draw(e.tables, e.x1);
  EXPECT_EQ(!o.cause, e.plottable) << (o.cause ? *o.cause : "no cause");
  expectWellFormed(e.tables, o);
}

INSTANTIATE_TEST_SUITE_P(Named, GraphicExtremeTableTest, ::testing::ValuesIn(extremes()),
                         [](const auto& info) { return std::string(info.param.name); });

std::uint64_t seed() {
  if (const char* text = std::getenv("KEMI_SEED")) return std::strtoull(text, nullptr, 0);
  return 20250612;
}

// Values of one table: ordinary, of any magnitude, near a limit, all equal, or a walk.
class RandomTables {
 public:
  explicit RandomTables(std::uint64_t seed) : rng_(seed) {}

  int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  // One value: a limit, any magnitude, or one of this set of tables' own scale. A wild set
  // mixes all magnitudes (and mostly cannot be plotted); a tame one keeps to its scale.
  double value() {
    static const double kLimits[] = {0.0,     -0.0,    FLT_MAX,  -FLT_MAX, kAboveFloat, 3.4e38,
                                     -3.4e38, DBL_MAX, -DBL_MAX, DBL_MIN,  kTiny,       -kTiny,
                                     FLT_MIN, 1e-7,    0.1,      1e17,     -1e17,       1e300,
                                     -1e-300, kInf,    -kInf,    kNaN};
    const int kind = uniform(0, wild_ ? 9 : 99);
    if (kind == 0) {
      // The run stops before a table holds an infinity or a NaN; keep them rare.
      return kLimits[uniform(0, uniform(0, 9) == 0 ? 21 : 18)];
    }
    if (kind <= 3) {
      const double mantissa = std::uniform_real_distribution<double>(1, 10)(rng_);
      return (uniform(0, 1) ? -1 : 1) * mantissa * std::pow(10.0, uniform(-330, 308));
    }
    return std::uniform_real_distribution<double>(-3, 3)(rng_) * scale_;
  }

  std::vector<double> table(int last) {
    std::vector<double> t(static_cast<std::size_t>(last) + 1);
    const int shape = uniform(0, 3);
    const double base = value();
    const double step = value();
    for (std::size_t i = 0; i < t.size(); ++i) {
      if (shape == 0)
        t[i] = base;  // all equal
      else if (shape == 1)
        t[i] = i == 0 ? base : t[i - 1] + step;  // accumulated, as X is
      else
        t[i] = value();
    }
    return t;
  }

  Tables tables() {
    wild_ = uniform(0, 1) == 0;
    scale_ = uniform(0, 2) == 0 ? 1.0 : std::pow(10.0, uniform(-330, 40));
    Tables t;
    t.npt = uniform(0, 11);
    t.XA = table(t.npt);
    t.YA = table(t.npt);
    static const double kCounts[] = {0, 0.4, 0.5, 1, 2.5, 3.5, -0.4, -0.6, -3};
    t.N = uniform(0, 3) == 0 ? kCounts[uniform(0, 8)] : uniform(1, 300);
    const int last = t.N >= 1 ? static_cast<int>(std::floor(t.N)) : 0;
    t.X = table(last + 1);
    t.Y = table(last + 1);
    return t;
  }

  double target() {
    return uniform(0, 2) == 0 ? std::uniform_real_distribution<double>(-2, 2)(rng_) : value();
  }

 private:
  std::mt19937_64 rng_;
  bool wild_ = false;
  double scale_ = 1.0;
};

TEST(GraphicExtremeTest, RandomExtremeTablesEndWithBoundedFiniteLines) {
  const std::uint64_t runSeed = seed();
  RandomTables gen(runSeed);
  int plotted = 0, refused = 0;
  for (int round = 0; round < 20000; ++round) {
    const Tables t = gen.tables();
    const double x1 = gen.target();
    const Drawn o = draw(t, x1);
    expectWellFormed(t, o);
    (o.cause ? refused : plotted)++;
    if (HasFailure()) {
      ADD_FAILURE() << "KEMI_SEED=" << runSeed << " round " << round << " x1 " << x1 << " N " << t.N
                    << " npt " << t.npt;
      return;
    }
  }
  // Both outcomes must have been reached, or the tables were not extreme (or not ordinary) enough.
  EXPECT_GT(plotted, 2000) << "KEMI_SEED=" << runSeed;
  EXPECT_GT(refused, 2000) << "KEMI_SEED=" << runSeed;
}

}  // namespace
}  // namespace kemi::test
