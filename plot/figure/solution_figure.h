// The Solution picture as drawing commands, the one description the window and the lab page
// replay: grid, axes and tick labels, the title, the direction field, each curve cut to the plot
// with its pen, the methods' markers over all lines (hollow ones first, so RK4's diamond shows
// inside RK4G's ring), the start, and the legend in the corner the curves leave free.
#pragma once

#include <string>
#include <vector>

#include "plot/figure/commands.h"

namespace kemi::figure {

struct SolutionFigureCurve {
  std::string name;
  Polyline world;  // in the plane; a non-finite point breaks the line
  Rgb colour;
  bool dashed = false;
  int method = -1;  // index into kMethods for the markers at the points, -1 for none
};

struct SolutionFigureInput {
  Rect area;
  ViewBox box;
  std::vector<SolutionFigureCurve> curves;  // the solution first, then the methods
  std::vector<Segment> field;               // slope marks, in pixels
  Point start;
  std::string title;  // none when empty
  std::string startName = "Start";
  TextMetrics metrics;
};

// The plot rectangle inside `area`: room for the tick labels left and below.
Rect solutionPlot(const Rect& area);

Commands solutionFigure(const SolutionFigureInput& in);

}  // namespace kemi::figure
