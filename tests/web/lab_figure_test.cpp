// The lab page's Solution picture as drawing commands: the curves cut to the plot, every
// method's pen and markers as the layer gives them, hollow markers beneath the filled ones.
#include "web/lab_figure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <tuple>
#include <vector>

#include "plot/figure/style.h"

namespace kemi::web {
namespace {

using figure::Op;
using figure::Point;

struct Drawn {
  std::vector<std::vector<double>> pens;  // r g b width style count dashes...
  std::vector<std::vector<Point>> lines;  // polylines inside the clip
  std::vector<std::vector<double>> markerPens;
};

// Walks the commands as the page's replay does.
Drawn walk(const std::vector<double>& ops) {
  Drawn d;
  bool clipped = false;
  std::vector<double> pen;
  for (std::size_t i = 0; i < ops.size();) {
    const auto op = static_cast<Op>(ops[i++]);
    const auto take = [&](std::size_t n) { i += n; };
    switch (op) {
      case Op::Pen:
        pen.assign(ops.begin() + i, ops.begin() + i + 6 + ops[i + 5]);
        d.pens.push_back(pen);
        take(pen.size());
        break;
      case Op::Brush:
        take(4);
        break;
      case Op::Polyline:
      case Op::Polygon: {
        const auto n = static_cast<std::size_t>(ops[i]);
        std::vector<Point> line;
        for (std::size_t k = 0; k < n; ++k)
          line.push_back({ops[i + 1 + 2 * k], ops[i + 2 + 2 * k]});
        if (clipped) (op == Op::Polygon ? d.markerPens.push_back(pen) : d.lines.push_back(line));
        take(1 + 2 * n);
        break;
      }
      case Op::Circle:
        if (clipped) d.markerPens.push_back(pen);
        take(3);
        break;
      case Op::Segments:
        take(1 + 4 * static_cast<std::size_t>(ops[i]));
        break;
      case Op::Rectangle:
        take(4);
        break;
      case Op::Text:
        take(5);
        break;
      case Op::Clip:
        clipped = true;
        take(4);
        break;
      case Op::Unclip:
        clipped = false;
        break;
      case Op::Fill:
        take(7);
        break;
      case Op::Title:
        take(6);
        break;
      case Op::Image:
        take(3);
        break;
      default:
        ADD_FAILURE() << "unknown command " << ops[i - 1];
        return d;
    }
  }
  return d;
}

TEST(LabFigure, EachMethodDrawnWithItsPenCutToThePlotHollowMarkersFirst) {
  for (std::size_t m = 0; m < kMethods.size(); ++m) {
    SolutionFigureInput in;
    in.width = 640;
    in.height = 400;
    in.box = {0, 1, -1, 1};
    // RK4G's ring and this method's marker at the same points; one point runs far off.
    const std::vector<int> methods = m == 6 ? std::vector<int>{6} : std::vector<int>{int(m), 6};
    for (const int method : methods)
      in.curves.push_back({method, false, "m", {{0, 0}, {0.25, 0.5}, {0.5, 1e9}, {1, 0}}});
    in.metrics.width = [](const std::string& s) { return 7.0 * static_cast<double>(s.size()); };
    const Drawn d = walk(solutionFigure(in).ops);
    const figure::Rect near = solutionPlotRect(640, 400).adjusted(-11, -11, 11, 11);
    for (const auto& line : d.lines)
      for (const Point p : line) EXPECT_TRUE(near.contains(p)) << m << ": " << p.x << ", " << p.y;
    const figure::MethodStyle& style = figure::methodStyles()[m];
    // The window's pen for a method's polygon: its colour, solid.
    const std::vector<double> pen{
        double(style.colour.r), double(style.colour.g), double(style.colour.b), 1.5, 0.0, 0.0};
    EXPECT_NE(std::find(d.pens.begin(), d.pens.end(), pen), d.pens.end()) << m;
    // Three markers each (the far point has none), RK4G's ring before the others, then the start.
    ASSERT_EQ(d.markerPens.size(), 3 * methods.size() + 1) << m;
    EXPECT_EQ(d.markerPens[0][3], figure::kHollowMarkerPen) << m;
  }
}

TEST(LabFigure, RoundedTextAsTheWindowWritesIt) {
  const std::vector<std::tuple<double, int, std::string>> cases{
      {0.0614237, 3, "0.0614"}, {1.53e-13, 2, "1.5e-13"}, {2.0, 3, "2"}, {123456.0, 3, "1.23e+05"}};
  for (const auto& [value, digits, text] : cases) EXPECT_EQ(roundedText(value, digits), text);
}

}  // namespace
}  // namespace kemi::web
