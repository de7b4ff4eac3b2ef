// The page's Solution picture through the figure layer: its curves' pens as the window sets
// them, and the field's marks from the slopes the workers computed.
#include "web/lab_figure.h"

#include <fmt/format.h>
#include <cmath>

#include "plot/figure/field.h"
#include "plot/figure/solution_figure.h"
#include "plot/figure/style.h"

namespace kemi::web {
namespace {

constexpr figure::Rgb kSolution{0x70, 0x70, 0x70};
constexpr double kMarkLength = 16.0;

std::vector<figure::Segment> field(const SolutionFigureInput& in, const figure::Transform& t) {
  std::vector<figure::FieldSample> samples;
  const figure::ViewBox& b = in.fieldBox;
  for (int j = 0; j < in.rows; ++j)
    for (int i = 0; i < in.columns; ++i) {
      const double v =
          in.slopes[static_cast<std::size_t>(j) * static_cast<std::size_t>(in.columns) +
                    static_cast<std::size_t>(i)];
      if (!std::isfinite(v)) continue;
      const double x = b.xMin + (b.xMax - b.xMin) * (i + 0.5) / in.columns;
      const double y = b.yMin + (b.yMax - b.yMin) * (j + 0.5) / in.rows;
      samples.push_back({t.toPixel(x, y), 1.0, v});
    }
  return figure::fieldMarks(samples, t, kMarkLength);
}

}  // namespace

figure::Rect solutionPlotRect(double width, double height) {
  return figure::solutionPlot({0.0, 0.0, width, height});
}

figure::Commands solutionFigure(const SolutionFigureInput& in) {
  figure::SolutionFigureInput picture;
  picture.area = {0.0, 0.0, in.width, in.height};
  picture.box = in.box;
  for (const FigureCurve& c : in.curves)
    picture.curves.push_back(
        {c.name, c.world,
         c.method < 0 ? kSolution
                      : figure::methodStyles()[static_cast<std::size_t>(c.method)].colour,
         c.dashed, c.method});
  if (in.columns > 0 && in.rows > 0 &&
      in.slopes.size() >= static_cast<std::size_t>(in.columns) * static_cast<std::size_t>(in.rows))
    picture.field = field(in, figure::Transform(in.box, figure::solutionPlot(picture.area)));
  picture.start = in.start;
  picture.metrics = in.metrics;
  return figure::solutionFigure(picture);
}

std::string roundedText(double value, int digits) {
  return fmt::format("{:.{}g}", value, digits);
}

}  // namespace kemi::web
