// The plot area: the reduced drawing is the image of every segment, a run shows background,
// axes, curve and grid where they belong, and the drawing survives repaints and clears.
#include "ui/plot_area.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <random>
#include <vector>

#include "plot/column_spans.h"
#include "plot/graphic.h"

namespace {

using kemi::PlotArea;

const QRgb kYellow = qRgb(255, 255, 192);

struct Segment {
  float xa, ya, xb, yb;
};

// Random walks in device pixels (the area's scale is set to its own pixels).
enum class Walk { DenseRightward, SparseRightward, BackAndForth, LeavingTheArea, AcrossTheEdge };

std::vector<Segment> walk(Walk kind, int count, int width, int height) {
  std::mt19937_64 rng(42);
  std::normal_distribution<double> step(0.0, kind == Walk::LeavingTheArea ? 40.0 : 1.5);
  double x = kind == Walk::LeavingTheArea ? -50 : 0.5;
  double y = height / 2.0;
  std::vector<Segment> out;
  for (int i = 0; i < count; ++i) {
    double nx = x;
    switch (kind) {
      case Walk::DenseRightward:
        nx = x + (width - 1.0) / count;
        break;
      case Walk::SparseRightward:
        nx = x + std::abs(step(rng)) * 3;
        break;
      case Walk::BackAndForth:
        nx = std::clamp(x + step(rng), 0.0, width - 0.01);
        break;
      case Walk::LeavingTheArea:
        nx = x + std::abs(step(rng)) / 8;
        break;
      case Walk::AcrossTheEdge:  // in and out of the area over its right edge
        nx = width + step(rng);
        break;
    }
    const double ny = y + step(rng);
    out.push_back({static_cast<float>(x), static_cast<float>(y), static_cast<float>(nx),
                   static_cast<float>(ny)});
    x = static_cast<float>(nx);
    y = static_cast<float>(ny);
  }
  return out;
}

int differingPixels(const QImage& a, const QImage& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
  }
  return n;
}

// The user scale the walk is drawn in: the area's own pixels, a plot's scale with y upward, the
// same mirrored in both directions, and one so far from zero that a float tells apart only
// every other column.
struct Scale {
  double left, top, right, bottom;
};
const Scale kPixels{0, 0, 320, 240};
const Scale kPlot{-0.1, 0.1, 1.1, -1.2};
const Scale kMirrored{1.1, -1.2, -0.1, 0.1};
const Scale kFarFromZero{1000.0, 5000.0, 1000.01, 4999.99};

struct WalkCase {
  const char* name;
  Walk kind;
  int segments;
  Scale scale;
};

class PlotAreaReductionTest : public ::testing::TestWithParam<WalkCase> {};

TEST_P(PlotAreaReductionTest, ReducedDrawingIsTheImageOfEverySegment) {
  constexpr int kWidth = 320, kHeight = 240;
  const Scale sc = GetParam().scale;
  const double sx = kWidth / (sc.right - sc.left);
  const double sy = kHeight / (sc.bottom - sc.top);
  // The walk is made in pixels and handed over in user coordinates.
  std::vector<Segment> segments = walk(GetParam().kind, GetParam().segments, kWidth, kHeight);
  const auto userX = [&](float px) { return static_cast<float>(sc.left + px / sx); };
  const auto userY = [&](float py) { return static_cast<float>(sc.top + py / sy); };
  float lastX = 0, lastY = 0;
  for (std::size_t i = 0; i < segments.size(); ++i) {
    Segment& s = segments[i];
    s = {i ? lastX : userX(s.xa), i ? lastY : userY(s.ya), userX(s.xb), userY(s.yb)};
    lastX = s.xb;
    lastY = s.yb;
  }

  PlotArea area;
  area.resize(kWidth, kHeight);
  area.Clear();
  area.SetScale(sc.left, sc.top, sc.right, sc.bottom);
  for (const Segment& s : segments) area.DrawLine(s.xa, s.ya, s.xb, s.yb, 0xFF0000);
  const QImage reduced = area.image();

  // The same segments, each lit on its own with nothing merged.
  QImage reference(kWidth, kHeight, QImage::Format_RGB32);
  reference.fill(kYellow);
  for (const Segment& s : segments) {
    kemi::forEachColumnSpan((s.xa - sc.left) * sx, (s.ya - sc.top) * sy, (s.xb - sc.left) * sx,
                            (s.yb - sc.top) * sy, kWidth, [&](int c, double low, double high) {
                              kemi::fillColumnSpan(
                                  reinterpret_cast<std::uint32_t*>(reference.bits()), kWidth,
                                  kHeight, c, low, high, qRgb(255, 0, 0));
                            });
  }

  ASSERT_EQ(reduced.size(), reference.size());
  const int differing = differingPixels(reduced.convertToFormat(QImage::Format_RGB32), reference);
  std::cout << GetParam().name << ": " << segments.size() << " segments, " << differing
            << " differing pixels\n";
  EXPECT_EQ(differing, 0);
  EXPECT_GT(differingPixels(reduced, QImage(reduced.size(), QImage::Format_RGB32)), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Walks, PlotAreaReductionTest,
    ::testing::Values(
        WalkCase{"DenseRightward", Walk::DenseRightward, 100000, kPixels},
        WalkCase{"SparseRightward", Walk::SparseRightward, 300, kPixels},
        WalkCase{"BackAndForth", Walk::BackAndForth, 100000, kPixels},
        WalkCase{"LeavingTheArea", Walk::LeavingTheArea, 100000, kPixels},
        WalkCase{"AcrossTheEdge", Walk::AcrossTheEdge, 1000, kPixels},
        WalkCase{"DenseRightwardOnAPlot", Walk::DenseRightward, 100000, kPlot},
        WalkCase{"BackAndForthOnAPlot", Walk::BackAndForth, 100000, kPlot},
        WalkCase{"LeavingAPlot", Walk::LeavingTheArea, 100000, kPlot},
        WalkCase{"DenseRightwardMirrored", Walk::DenseRightward, 100000, kMirrored},
        WalkCase{"BackAndForthMirrored", Walk::BackAndForth, 100000, kMirrored},
        WalkCase{"DenseRightwardFarFromZero", Walk::DenseRightward, 100000, kFarFromZero},
        WalkCase{"BackAndForthFarFromZero", Walk::BackAndForth, 100000, kFarFromZero}),
    [](const auto& info) { return std::string(info.param.name); });

// What a single line lights: one row for a flat line, one column for an upright one, and an
// unbroken path of at most two rows a column for a diagonal.
TEST(PlotAreaTest, LinesLightAnUnbrokenOnePixelPath) {
  PlotArea area;
  area.resize(40, 30);
  area.SetScale(0, 0, 40, 30);
  const auto lit = [&](int column) {
    const QImage image = area.image();
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (column < 0 || x == column) n += image.pixel(x, y) != kYellow;
      }
    }
    return n;
  };
  area.DrawLine(2.5f, 10.5f, 37.5f, 10.5f);
  EXPECT_EQ(lit(-1), 36);  // columns 2..37 of row 10
  area.Clear();
  area.DrawLine(20.5f, 3.5f, 20.5f, 25.5f);
  EXPECT_EQ(lit(20), 23);  // rows 3..25
  EXPECT_EQ(lit(-1), 23);
  area.Clear();
  area.DrawLine(1.2f, 1.7f, 29.2f, 29.7f);
  for (int x = 1; x <= 29; ++x) {
    EXPECT_GE(lit(x), 1) << x;
    EXPECT_LE(lit(x), 2) << x;
  }
  EXPECT_EQ(lit(0) + lit(30), 0);
}

// The default run: x0 0, y0 -1, x1 0.4, N 1 with Euler, on an area of Picture1's size.
struct DefaultRun {
  std::vector<double> XA, YA, X{0, 0.4}, Y{-1, -0.6};
  DefaultRun() {
    double x = 0;
    for (int i = 0; i <= 10; ++i, x = x + 0.04) {
      XA.push_back(x);
      YA.push_back(2 - 2 * x - 3 * std::exp(-x));
    }
  }
  kemi::PlotInput input() const { return {XA, YA, 10, X, Y, 1, std::nullopt}; }
};

TEST(PlotAreaTest, RunShowsBackgroundAxesCurvesAndGrid) {
  PlotArea area;
  area.resize(321, 249);
  DefaultRun run;
  double x0 = 0, x1 = 0.4;
  ASSERT_FALSE(kemi::Graphic(area, run.input(), x0, x1));
  const QImage image = area.image();
  // Visible range -0.04 .. 0.44 across, 0.1 .. -1.1 down.
  const auto column = [&](double x) { return static_cast<int>((x + 0.04) * 321 / 0.48); };
  const auto row = [&](double y) { return static_cast<int>((0.1 - y) * 249 / 1.2); };
  const auto near = [&](double x, double y, QRgb want) {
    for (int r = row(y) - 2; r <= row(y) + 2; ++r) {
      if (image.pixel(column(x), r) == want) return true;
    }
    return false;
  };
  EXPECT_EQ(image.pixel(column(-0.03), row(0.09)), kYellow);
  EXPECT_EQ(image.pixel(column(0.25), row(0.05)), kYellow);
  EXPECT_EQ(image.pixel(column(0), row(0)), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(column(-0.02), row(0)), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(column(0), row(-0.95)), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(column(0.1), row(-0.55)), qRgb(230, 230, 230));
  EXPECT_EQ(image.pixel(column(0.2), row(-0.35)), qRgb(230, 230, 230));
  EXPECT_TRUE(near(0.25, -0.75, qRgb(255, 0, 0)));
  EXPECT_TRUE(near(0.25, 2 - 0.5 - 3 * std::exp(-0.25), qRgb(0, 0, 0)));
}

TEST(PlotAreaTest, DrawingSurvivesRepaintsAndClearErasesIt) {
  PlotArea area;
  area.resize(321, 249);
  DefaultRun run;
  double x0 = 0, x1 = 0.4;
  kemi::Graphic(area, run.input(), x0, x1);
  area.show();
  const QImage drawn = area.image();
  EXPECT_EQ(area.grab().toImage().convertToFormat(QImage::Format_RGB32), drawn);
  area.hide();
  area.show();
  area.repaint();
  EXPECT_EQ(area.grab().toImage().convertToFormat(QImage::Format_RGB32), drawn);

  area.Clear();
  QImage blank(drawn.size(), QImage::Format_RGB32);
  blank.fill(kYellow);
  EXPECT_EQ(area.image(), blank);
}

TEST(PlotAreaTest, FarAndDegenerateLinesStayInsideTheArea) {
  PlotArea area;
  area.resize(100, 80);
  area.SetScale(0, 0, 100, 80);
  area.DrawLine(-1e30f, 40.5f, 1e30f, 40.5f);
  area.DrawLine(-1e12f, -1e12f, 1e12f, 1e12f, 0x0000FF);
  QImage image = area.image();
  for (int x = 0; x < 100; ++x) {
    if (x == 39 || x == 40) continue;  // where the blue diagonal crosses
    EXPECT_EQ(image.pixel(x, 40), qRgb(0, 0, 0)) << x;
  }
  EXPECT_EQ(image.pixel(20, 20), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(70, 70), qRgb(0, 0, 255));

  area.Clear();
  area.SetScale(1, 0, 1, 80);  // no width: nothing can be drawn
  area.DrawLine(0, 0, 100, 80);
  image = area.image();
  QImage blank(image.size(), QImage::Format_RGB32);
  blank.fill(kYellow);
  EXPECT_EQ(image, blank);
}

TEST(PlotAreaTest, ResizingGivesAClearedImageOfTheNewSize) {
  PlotArea area;
  area.resize(50, 40);
  area.SetScale(0, 0, 50, 40);
  area.DrawLine(0, 20, 50, 20);
  area.resize(60, 30);
  const QImage image = area.image();
  EXPECT_EQ(image.size(), QSize(60, 30));
  QImage blank(image.size(), QImage::Format_RGB32);
  blank.fill(kYellow);
  EXPECT_EQ(image, blank);
}

}  // namespace
