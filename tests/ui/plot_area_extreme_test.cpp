// The solution plot on the real plot area over extreme tables: the float and double limits, tiny
// and subnormal ranges, zero width and long polylines of huge values. The drawing ends, the image
// keeps the area's size through drawing and painting, a refused plot leaves only the background,
// and a plot whose origin is on screen shows its black axes.
#include <gtest/gtest.h>

#include <QColor>
#include <QPixmap>
#include <cfloat>
#include <cmath>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "plot/graphic.h"
#include "tests/ui/ui_test_support.h"
#include "ui/plot_area.h"

namespace kemi {
namespace {

constexpr double kTiny = std::numeric_limits<double>::denorm_min();
const double kAboveFloat =
    std::nextafter(static_cast<double>(FLT_MAX), std::numeric_limits<double>::infinity());

struct Tables {
  std::vector<double> XA, YA, X, Y;
  double N = 0;
};

// The numerical table gets its unread slot N + 1 after the points.
Tables tables(std::vector<double> XA, std::vector<double> YA, std::vector<double> X,
              std::vector<double> Y) {
  const double N = static_cast<double>(X.size()) - 1;
  X.push_back(0);
  Y.push_back(0);
  return {std::move(XA), std::move(YA), std::move(X), std::move(Y), N};
}

// N steps that swing between -amplitude and +amplitude while x runs from 0 to `to`.
Tables swinging(int N, double amplitude, double to) {
  std::mt19937_64 rng(5);
  std::uniform_real_distribution<double> swing(-amplitude, amplitude);
  std::vector<double> X, Y;
  for (int i = 0; i <= N; ++i) {
    X.push_back(to * i / N);
    Y.push_back(swing(rng));
  }
  return tables({0, to}, {-amplitude, amplitude}, std::move(X), std::move(Y));
}

enum class Shows { Axes, Background };

struct AreaCase {
  const char* name;
  Tables tables;
  double x1;
  Shows shows;
};

void PrintTo(const AreaCase& c, std::ostream* os) {
  *os << c.name;
}

std::vector<AreaCase> cases() {
  const double fmax = FLT_MAX;
  return {
      {"DefaultEntries", tables({0, 0.4}, {-1, -0.81}, {0, 0.4}, {-1, -0.6}), 0.4, Shows::Axes},
      {"AtFloatLimit", tables({-fmax, fmax}, {-fmax, fmax}, {-fmax, fmax}, {fmax, -fmax}), fmax,
       Shows::Axes},
      {"NearFloatLimit", tables({0, 3.4e38}, {-3.4e38, 3.4e38}, {0, 3.4e38}, {-1, 3.4e38}), 3.4e38,
       Shows::Axes},
      {"JustAboveFloat", tables({0, 1}, {-1, kAboveFloat}, {0, 1}, {-1, 0}), 1, Shows::Background},
      {"NearDoubleLimit", tables({0, 1}, {-1, -DBL_MAX}, {0, 1}, {-1, DBL_MAX}), 1,
       Shows::Background},
      {"NoWidth", tables({0, 0}, {-1, -1}, {0, 0}, {-1, -1}), 0, Shows::Background},
      {"NegativeTargetWidthFromTheAbscissae", tables({0, -1}, {-1, -0.5}, {0, -1}, {-1, 3}), -1,
       Shows::Axes},
      // Ranges narrower than any float step are refused: the area stays background.
      {"TinyRange", tables({0, 1e-300}, {-1e-300, 0}, {0, 1e-300}, {-1e-300, 0}), 1e-300,
       Shows::Background},
      {"SubnormalRange", tables({0, kTiny}, {-kTiny, 0}, {0, kTiny}, {0, -kTiny}), kTiny,
       Shows::Background},
      {"GridBeyondTheAccumulatingLoop", tables({0, 1e17}, {-1, -1e17}, {0}, {-1}), 1e17,
       Shows::Axes},
      {"HugeSwingsAcrossTheArea", swinging(20000, 3e38, 3e38), 3e38, Shows::Axes},
      {"TinySwingsAcrossTheArea", swinging(20000, 1e-30, 1e-30), 1e-30, Shows::Axes},
  };
}

class PlotAreaExtremeTest : public ::testing::TestWithParam<AreaCase> {};

TEST_P(PlotAreaExtremeTest, EndsAndKeepsTheAreaSizedImage) {
  const AreaCase& c = GetParam();
  PlotArea area;
  area.resize(321, 249);
  area.show();
  double x0 = c.tables.X[0];
  double x1 = c.x1;
  const PlotInput input{c.tables.XA, c.tables.YA, static_cast<int>(c.tables.XA.size()) - 1,
                        c.tables.X,  c.tables.Y,  c.tables.N,
                        std::nullopt};
  const std::optional<std::string> cause = Graphic(area, input, x0, x1);
  EXPECT_EQ(cause.has_value(), c.shows == Shows::Background);

  const QSize size = area.size() * area.devicePixelRatioF();
  QImage image = area.image();
  ASSERT_EQ(image.size(), size);
  const int pixels = image.width() * image.height();
  const int background = test::countPixels(image, QColor(255, 255, 192));
  const int black = test::countPixels(image, QColor(0, 0, 0));
  if (c.shows == Shows::Background) {
    EXPECT_EQ(background, pixels);
  }
  if (c.shows == Shows::Axes) {
    // The axes run through the origin, which every range holds, over at least the data range:
    // all of each direction but its two margins of a twelfth.
    EXPECT_GE(black, (image.width() + image.height()) * 4 / 5 - 2);
  }
  // Painting copies the image to the screen and leaves it as it was.
  const QPixmap shown = area.grab();
  EXPECT_EQ(shown.size(), area.size());
  EXPECT_EQ(area.image(), image);
}

INSTANTIATE_TEST_SUITE_P(Extremes, PlotAreaExtremeTest, ::testing::ValuesIn(cases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kemi
