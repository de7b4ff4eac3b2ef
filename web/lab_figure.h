// The lab page's Solution picture built with the figure layer, as the window draws it: grid,
// axes and tick labels, the direction field, each curve cut to the plot with its method's pen,
// the markers in the layer's order, the start and the legend in the quiet corner. The result
// is a flat list of drawing commands that the page replays on a canvas or writes as SVG.
#pragma once

#include <string>
#include <vector>

#include "plot/figure/geometry.h"
#include "plot/figure/view.h"

namespace kemi::web {

// A curve in the plane: a method's polygon (method >= 0) or the solution (method -1, dashed
// when it is a reference).
struct FigureCurve {
  int method = -1;
  bool dashed = false;
  std::string name;
  double textWidth = 0.0;  // the name's width in the page's font
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
  std::string startName = "Start";
  double rowHeight = 18.0;
};

// Commands, each an opcode and its numbers; texts by index into `texts`.
enum class Op {
  Pen = 1,    // r g b width dashCount dashes... (dashes in pen widths)
  Brush,      // r g b alpha (alpha 0: none)
  Polyline,   // count, x y ...
  Polygon,    // count, x y ... (filled with the brush, outlined with the pen)
  Circle,     // cx cy radius
  Segments,   // count, x1 y1 x2 y2 ...
  Rectangle,  // left top width height
  Text,       // x y align(0 start, 1 centre, 2 end) baseline(0 alphabetic, 1 middle, 2 top) index
  Clip,       // left top width height
  Unclip,
};

struct FigureCommands {
  std::vector<double> ops;
  std::vector<std::string> texts;
  figure::Rect plot;
};

// The plot rectangle inside a picture of this size, as the window leaves room for the axes.
figure::Rect solutionPlotRect(double width, double height);

FigureCommands solutionFigure(const SolutionFigureInput& in);

// `value` to `digits` significant digits, as C's "%.*g" writes it: the window's rounded numbers.
std::string roundedText(double value, int digits);

}  // namespace kemi::web
