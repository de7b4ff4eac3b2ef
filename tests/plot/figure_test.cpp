// The figure layer: the view transform, clipping, ticks, markers, the field, legend places and
// region pixels, each as a table of small worked cases.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "plot/figure/clip.h"
#include "plot/figure/description.h"
#include "plot/figure/field.h"
#include "plot/figure/legend.h"
#include "plot/figure/region_pixels.h"
#include "plot/figure/style.h"
#include "plot/figure/ticks.h"
#include "plot/figure/view.h"

namespace kemi::figure {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const Rect kPlot{64, 30, 800, 500};

TEST(FigureTransformTest, RoundTripsAndZoomKeepsTheAnchor) {
  struct Case {
    ViewBox box;
    Scale xs, ys;
    Point world;
  };
  const Case cases[] = {{{0, 1, -1, 1}, Scale::Linear, Scale::Linear, {0.25, 0.5}},
                        {{-3e6, 5e6, 1e-9, 2e-9}, Scale::Linear, Scale::Linear, {1e6, 1.5e-9}},
                        {{1e-8, 1, 1e-16, 1}, Scale::Log10, Scale::Log10, {1e-3, 1e-12}},
                        {{0, 4, 1e-3, 1e3}, Scale::Linear, Scale::Log10, {2, 10}}};
  for (const Case& c : cases) {
    const Transform t(c.box, kPlot, c.xs, c.ys);
    const Point back = t.toWorld(t.toPixel(c.world));
    EXPECT_NEAR(back.x, c.world.x, 1e-12 * std::abs(c.world.x));
    EXPECT_NEAR(back.y, c.world.y, 1e-12 * std::abs(c.world.y));
    EXPECT_EQ(t.toPixel(c.box.xMin, c.box.yMin), (Point{kPlot.left, kPlot.bottom()}));
    if (c.xs == Scale::Linear && c.ys == Scale::Linear) {
      const Point before = t.toPixel(c.world);
      const Point after = Transform(c.box.zoomedAbout(c.world, 2.5), kPlot).toPixel(c.world);
      EXPECT_NEAR(after.x, before.x, 1e-6);
      EXPECT_NEAR(after.y, before.y, 1e-6);
    }
  }
  // A point far off stays a finite pixel; an equal-scale box has square pixels.
  EXPECT_EQ(Transform({0, 1, 0, 1}, kPlot).toPixel(1e300, -1e300), (Point{1e12, 1e12}));
  const Transform square(equalScale({-4.2, 1, -3.9, 3.9}, kPlot), kPlot);
  EXPECT_DOUBLE_EQ(square.xPixelsPerUnit(), square.yPixelsPerUnit());
}

TEST(FigureClipTest, CutsSegmentsToTheBox) {
  struct Case {
    Segment in;
    bool visible;
    Segment out;
  };
  const Rect r{0, 0, 10, 10};
  const Case cases[] = {
      {{{2, 2}, {8, 8}}, true, {{2, 2}, {8, 8}}}, {{{-5, 5}, {15, 5}}, true, {{0, 5}, {10, 5}}},
      {{{-5, -5}, {-1, 20}}, false, {}},          {{{5, 5}, {5, 1e12}}, true, {{5, 5}, {5, 10}}},
      {{{11, 0}, {11, 10}}, false, {}},           {{{-10, 0}, {0, -10}}, false, {}}};
  for (const Case& c : cases) {
    Segment s = c.in;
    ASSERT_EQ(clipSegment(s.a, s.b, r), c.visible);
    if (c.visible) {
      EXPECT_EQ(s, c.out);
    }
  }
}

TEST(FigureClipTest, RunsBreakAtGapsAndOutside) {
  const Transform t({0, 10, 0, 10}, {0, 0, 10, 10});  // one pixel per unit, y flipped
  const std::vector<Point> world{{1, 1}, {2, 2},  {3, kNaN}, {4, 4},
                                 {5, 5}, {6, 50}, {7, 7},    {8, 8}};
  const std::vector<Polyline> runs = visibleRuns(world, t, t.plot());
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0], (Polyline{{1, 9}, {2, 8}}));
  EXPECT_EQ(runs[1].front(), (Point{4, 6}));
  EXPECT_EQ(runs[1].size(), 3u);  // 4, 5 and the exit at the top edge
  EXPECT_EQ(runs[1].back().y, 0.0);
  EXPECT_EQ(runs[2].back(), (Point{8, 2}));
}

TEST(FigureTicksTest, ChoosesOneTwoFiveStepsWithExactLabels) {
  struct Case {
    double lo, hi, count;
    TickRounding rounding;
    std::vector<std::string> labels;
  };
  const Case cases[] = {
      {-0.1, 1.05, 6, TickRounding::Nearest, {"0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
      {0.25, 0.95, 6, TickRounding::Nearest, {"0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9"}},
      {-1.3e-7,
       1e-7,
       6,
       TickRounding::Nearest,
       {"-0.00000010", "-0.00000005", "0", "0.00000005", "0.00000010"}},
      {-4.2,
       1.0,
       12,
       TickRounding::AtLeast,
       {"-4", "-3.5", "-3", "-2.5", "-2", "-1.5", "-1", "-0.5", "0", "0.5", "1"}},
      {0.99, 1.41, 5, TickRounding::AtLeast, {"1", "1.1", "1.2", "1.3", "1.4"}},
      {0, 3e9, 3, TickRounding::Nearest, {"0", "1e9", "2e9", "3e9"}},
      {2, 2, 6, TickRounding::Nearest, {}}};
  for (const Case& c : cases) {
    const Ticks t = linearTicks(c.lo, c.hi, c.count, c.rounding);
    std::vector<std::string> labels;
    for (std::int64_t k = t.first; k <= t.last; ++k)
      labels.push_back(c.rounding == TickRounding::Nearest ? t.label(k) : t.trimmedLabel(k));
    EXPECT_EQ(labels, c.labels) << c.lo << " " << c.hi;
  }
}

TEST(FigureTicksTest, LogTicksAreDecadesThinnedToFit) {
  struct Case {
    double lo, hi;
    int most;
    int first, last, every;
    std::string firstLabel;
  };
  const Case cases[] = {{1e-3, 1, 10, -3, 0, 1, "1e-03"},
                        {2e-16, 3.0, 10, -15, 0, 2, "1e-15"},
                        {1e-8, 1, 5, -8, 0, 2, "1e-08"},
                        {0.5, 800, 10, 0, 2, 1, "1e+00"}};
  for (const Case& c : cases) {
    const LogTicks t = logTicks(c.lo, c.hi, c.most);
    EXPECT_EQ(t.first, c.first);
    EXPECT_EQ(t.last, c.last);
    EXPECT_EQ(t.every, c.every);
    EXPECT_EQ(t.label(t.first), c.firstLabel);
  }
}

// Signed area > 0 for a point left of every edge in pixel coordinates: inside a convex outline.
bool insideConvex(const Polyline& outline, Point p) {
  int sign = 0;
  for (std::size_t i = 0; i < outline.size(); ++i) {
    const Point a = outline[i];
    const Point b = outline[(i + 1) % outline.size()];
    const double cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
    const int s = cross > 0 ? 1 : -1;
    if (sign != 0 && s != sign) return false;
    sign = s;
  }
  return true;
}

TEST(FigureMarkerTest, EachMethodsMarkerIsItsShapeScaledFromOneRadius) {
  struct Case {
    std::size_t method;
    std::size_t corners;  // 0: a circle
    double reach;         // the farthest corner, in marker radii
  };
  const Case cases[] = {{0, 0, 1.0},  {1, 4, std::sqrt(2.0)}, {2, 3, 1.2}, {3, 4, 1.3},
                        {4, 10, 1.5}, {5, 5, 1.15},           {6, 0, 1.35}};
  ASSERT_EQ(std::size(cases), kMethods.size());
  const Point at{100, 50};
  for (const Case& c : cases) {
    const MarkerShape shape = methodMarker(c.method, at);
    EXPECT_EQ(shape.colour, methodStyles()[c.method].colour);
    EXPECT_EQ(shape.round, c.corners == 0);
    ASSERT_EQ(shape.points.size(), c.corners);
    double reach = shape.round ? shape.radius : 0.0;
    for (const Point& p : shape.points) reach = std::max(reach, std::hypot(p.x - at.x, p.y - at.y));
    EXPECT_NEAR(reach, c.reach * kMarkerRadius, 1e-12) << c.method;
    // The same method at another place is the same outline moved.
    const MarkerShape moved = methodMarker(c.method, {at.x + 7, at.y - 3});
    for (std::size_t i = 0; i < c.corners; ++i)
      EXPECT_NEAR(moved.points[i].x - shape.points[i].x, 7.0, 1e-12);
  }
}

// RK4 (filled diamond) and RK4G (open circle) agree to the pixel on most equations: the ring
// is drawn first, unfilled and wider than the diamond's sides, so both show.
TEST(FigureMarkerTest, RK4AndRK4GBothShowAtTheSamePoint) {
  const std::size_t rk4 = 3, rk4g = 6;
  EXPECT_EQ(markerOrder({rk4, rk4g}), (std::vector<std::size_t>{rk4g, rk4}));
  // All seven: the ring, then star, square, diamond, triangle, pentagon and Euler's dot on top.
  EXPECT_EQ(markerOrder({0, 1, 2, 3, 4, 5, 6}), (std::vector<std::size_t>{6, 4, 1, 3, 2, 5, 0}));
  const Point at{0, 0};
  const MarkerShape ring = methodMarker(rk4g, at);
  const MarkerShape diamond = methodMarker(rk4, at);
  EXPECT_FALSE(ring.filled);
  // Between the diamond's corners the whole width of the ring's stroke lies outside it.
  for (const double angle : {0.25, 0.75, 1.25, 1.75}) {
    const double inner = ring.radius - ring.pen / 2.0 - diamond.pen / 2.0;
    const Point p{inner * std::cos(angle * M_PI), inner * std::sin(angle * M_PI)};
    EXPECT_FALSE(insideConvex(diamond.points, p)) << angle;
  }
  EXPECT_TRUE(insideConvex(diamond.points, at));
}

TEST(FigureFieldTest, MarksFollowTheVectorOnTheScreen) {
  const Transform t({0, 2, 0, 1}, {0, 0, 200, 100});  // square pixels
  const auto marks = slopeMarks([](double x, double) { return x < 1 ? 1.0 : kNaN; }, t, 2, 1, 10);
  ASSERT_EQ(marks.size(), 1u);  // the right cell's slope is not finite
  EXPECT_NEAR(marks[0].b.x - marks[0].a.x, 10 / std::sqrt(2.0), 1e-12);
  EXPECT_NEAR(marks[0].a.y - marks[0].b.y, 10 / std::sqrt(2.0), 1e-12);  // upwards
  // A phase plane's (u, v) = (0, huge) and (-1, 0): vertical, and leftwards.
  const auto phase = fieldMarks({{{50, 50}, 0, 1e308}, {{80, 50}, -1, 0}}, t, 10);
  EXPECT_EQ(phase[0], (Segment{{50, 45}, {50, 55}}));
  EXPECT_EQ(phase[1], (Segment{{85, 50}, {75, 50}}));
}

TEST(FigureLegendTest, PlacesEntriesAndAvoidsTheCurves) {
  const auto column = columnLegend({10, 20}, 18, 26, 14, 8, 2);
  EXPECT_EQ(column[1].swatch, (Rect{10, 38, 26, 14}));
  EXPECT_EQ(column[1].textLeft, 44.0);
  EXPECT_EQ(column[1].centreY, 45.0);
  const std::vector<double> widths{50, 20};
  const auto row = rowLegend(72, 300, 24, 6, 14, widths);
  EXPECT_EQ(row[1].swatch.left, 72 + 24 + 6 + 50 + 14.0);
  // Points in the top right corner send the legend to the top left.
  const Transform t({0, 10, 0, 10}, {0, 0, 100, 100});
  const std::vector<Polyline> curves{{{9, 9}, {9.5, 9.5}}};
  EXPECT_EQ(quietCorner(t, 30, 20, 8, curves), (Rect{8, 8, 30, 20}));
}

TEST(FigureRegionTest, FillsInsideAndOutlinesTheEdge) {
  // A 3 x 3 mask with only the middle inside, over transparent pixels.
  std::vector<std::uint32_t> pixels(9, 0);
  const std::vector<std::uint8_t> inside{0, 0, 0, 0, 1, 0, 0, 0, 0};
  paintRegion(pixels, 3, 3, inside, {0xCC, 0x79, 0xA7});
  EXPECT_EQ(pixels[4], 0xFFCC79A7u);  // inside and at the edge: the opaque line
  EXPECT_EQ(pixels[1], (160u << 24) | ((0xCCu * 160 / 255) << 16) | ((0x79u * 160 / 255) << 8) |
                           (0xA7u * 160 / 255));
  EXPECT_EQ(pixels[0], 0u);  // a corner touches no inside neighbour
}

TEST(FigureDescriptionTest, SentencesForEachCase) {
  EXPECT_EQ(listed({}), "");
  EXPECT_EQ(listed({"A"}), "A");
  EXPECT_EQ(listed({"A", "B", "C"}), "A, B and C");
  struct Case {
    RegionFacts facts;
    std::string text;
  };
  const Case cases[] = {
      {{{}, false, "", "", "", false, {}, {}}, "No method is chosen. No step is marked."},
      {{{"Euler", "RK4"}, true, "-2.5", "0.05", "-50", false, {"RK4"}, {"Euler"}},
       "Stability regions of Euler and RK4. The step's z = h·λ = -2.5 (h = 0.05, λ = -50): "
       "stable with RK4; unstable with Euler."},
      {{{"RK4"}, true, "0.1", "0.1", "1", true, {}, {}},
       "Stability regions of RK4. The step's z = h·λ = 0.1 (h = 0.1, λ = 1) lies right of the "
       "imaginary axis: the exact solution grows there too, and stability does not limit the "
       "step."}};
  for (const Case& c : cases) EXPECT_EQ(regionDescription(c.facts), c.text);
  SolutionFacts solution{"y' = y, y(0) = 1",
                         "0",
                         "1",
                         "4",
                         SolutionFacts::Drawn::Reference,
                         "1e-12",
                         {"Euler", "RK4"},
                         {"0.0614", "unknown"},
                         "RK4 stops."};
  EXPECT_EQ(solutionDescription(solution),
            "Solution of y' = y, y(0) = 1, from x = 0 to 1 with N = 4 steps. Drawn: a reference "
            "solution, accurate to 1e-12, Euler, RK4. Errors at x1 = 1: Euler 0.0614, RK4 "
            "unknown. RK4 stops.");
}

}  // namespace
}  // namespace kemi::figure
