// The lab page's Solution picture: the page's numbers (curves as arrays, the field as slopes on a
// grid) handed to the figure layer's Solution picture, the one description the window replays
// too. The result is a flat list of drawing commands that the page replays on a canvas or
// writes as SVG.
#pragma once

#include <string>
#include <vector>

#include "plot/figure/commands.h"
#include "plot/figure/geometry.h"
#include "plot/figure/view.h"

namespace kemi::web {

// A curve in the plane: a method's polygon (method >= 0) or the solution (method -1, dashed
// when it is a reference).
struct FigureCurve {
  int method = -1;
  bool dashed = false;
  std::string name;
  figure::Polyline world;
};

struct SolutionFigureInput {
  double width = 0.0, height = 0.0;
  figure::ViewBox box;
  std::vector<FigureCurve> curves;
  figure::Point start;
  // f on a columns x rows grid of fieldBox's cell centres, row by row from the bottom.
  figure::ViewBox fieldBox;
  int columns = 0, rows = 0;
  std::vector<double> slopes;
  figure::TextMetrics metrics;
};

// The plot rectangle inside a picture of this size, as the window leaves room for the axes.
figure::Rect solutionPlotRect(double width, double height);

figure::Commands solutionFigure(const SolutionFigureInput& in);

// `value` to `digits` significant digits, as C's "%.*g" writes it: the window's rounded numbers.
std::string roundedText(double value, int digits);

}  // namespace kemi::web
