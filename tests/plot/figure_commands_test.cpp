// The region and stage pictures as commands: the marked point as a ring inside the plane or an
// arrow head on its edge, the regions' image one pixel per plot pixel, every stage point inside
// the plot, and the lower member's ring only where a pair gives an estimate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "plot/figure/commands.h"
#include "plot/figure/region_figure.h"
#include "plot/figure/stage_figure.h"

namespace kemi::figure {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Shapes {
  std::vector<std::vector<double>> circles;  // cx cy radius
  std::vector<Polyline> polygons;
  std::vector<const Image*> images;
};

Shapes shapesOf(const Commands& c) {
  Shapes s;
  const std::vector<double>& ops = c.ops;
  for (std::size_t i = 0; i < ops.size();) {
    const auto op = static_cast<Op>(ops[i++]);
    const auto n = [&](std::size_t at) { return static_cast<std::size_t>(ops[i + at]); };
    switch (op) {
      case Op::Pen:
        i += 6 + n(5);
        break;
      case Op::Brush:
        i += 4;
        break;
      case Op::Polygon: {
        Polyline p;
        for (std::size_t k = 0; k < n(0); ++k)
          p.push_back({ops[i + 1 + 2 * k], ops[i + 2 + 2 * k]});
        s.polygons.push_back(p);
        i += 1 + 2 * n(0);
        break;
      }
      case Op::Polyline:
        i += 1 + 2 * n(0);
        break;
      case Op::Circle:
        s.circles.push_back({ops[i], ops[i + 1], ops[i + 2]});
        i += 3;
        break;
      case Op::Segments:
        i += 1 + 4 * n(0);
        break;
      case Op::Rectangle:
      case Op::Clip:
        i += 4;
        break;
      case Op::Text:
        i += 5;
        break;
      case Op::Title:
        i += 6;
        break;
      case Op::Unclip:
        break;
      case Op::Fill:
        i += 7;
        break;
      case Op::Image:
        s.images.push_back(&c.images[n(2)]);
        i += 3;
        break;
      default:
        ADD_FAILURE() << "unknown command " << ops[i - 1];
        return s;
    }
  }
  return s;
}

TEST(RegionFigureTest, PointAsRingInsideOrArrowOnTheEdgeOverOneImage) {
  struct Case {
    double z;
    bool ring;
  };
  const Case cases[] = {{-0.6, true}, {-2000.0, false}, {kNaN, false}};
  for (const Case& c : cases) {
    RegionFigureInput in;
    in.width = 900;
    in.height = 520;
    in.z = c.z;
    in.plane = regionPlane(in.width, in.height, c.z);
    ASSERT_TRUE(in.plane.usable());
    in.methods = {3, 6};
    in.limits = {2.785, 2.785};
    in.names = {"RK4", "RK4G"};
    const auto pixels = static_cast<std::size_t>(in.plane.columns * in.plane.rows);
    in.masks = {std::vector<std::uint8_t>(pixels, 1), std::vector<std::uint8_t>(pixels, 0)};
    in.metrics.width = [](const std::string& s) { return 7.0 * static_cast<double>(s.size()); };
    const Commands commands = regionFigure(in);
    const Shapes s = shapesOf(commands);
    ASSERT_EQ(s.images.size(), 1u) << c.z;
    EXPECT_EQ(s.images[0]->pixels.size(), pixels);
    EXPECT_NE(s.images[0]->pixels[pixels / 2], 0u);  // RK4's fill
    const Transform t(in.plane.box, in.plane.plot);
    const Point at = t.toPixel(c.z, 0.0);
    const bool ring = std::any_of(s.circles.begin(), s.circles.end(), [&](const auto& k) {
      return k[0] == at.x && k[1] == at.y && k[2] == 6.0;
    });
    EXPECT_EQ(ring, c.ring) << c.z;
    const bool arrow = std::any_of(s.polygons.begin(), s.polygons.end(), [&](const Polyline& p) {
      return p.size() == 3 && p[0].x == in.plane.plot.left + 2;
    });
    EXPECT_EQ(arrow, c.z < -100.0) << c.z;
  }
}

TEST(StageFigureTest, StagePointsInsideThePlotAndTheEstimateRingOnlyForAPair) {
  for (const double estimate : {kNaN, 0.01}) {
    StageFigureInput in;
    in.width = 640;
    in.height = 400;
    in.shown = true;
    in.method = 4;
    in.start = {0.0, -1.0};
    in.end = {0.5, -1.4};
    in.estimate = estimate;
    in.stages.evaluations = 3;
    in.stages.x = {0.0, 0.25, 0.5};
    in.stages.y = {-1.0, -1.2, -1.45};
    in.stages.slope = {-1.0, -1e6, 0.5};  // a steep stage stays a short segment
    in.solution = {{0.0, -1.0}, {0.5, -1.38}};
    in.box = stageBox(in.start, in.end, in.estimate, in.stages, in.solution);
    in.metrics.width = [](const std::string& s) { return 7.0 * static_cast<double>(s.size()); };
    const Shapes s = shapesOf(stageFigure(in));
    const Rect plot = stagePlot(in.width, in.height);
    std::size_t stagePoints = 0, rings = 0;
    for (const auto& c : s.circles) {
      EXPECT_TRUE(plot.contains({c[0], c[1]})) << c[0] << ", " << c[1];
      stagePoints += c[2] == 4.0;
      rings += c[2] == 6.0;
    }
    EXPECT_EQ(stagePoints, 3u);
    EXPECT_EQ(rings, std::isfinite(estimate) ? 1u : 0u);
  }
}

}  // namespace
}  // namespace kemi::figure
