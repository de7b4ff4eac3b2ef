// The stability regions in the complex plane as drawing commands: each chosen method's region
// {z : |R(z)| <= 1} filled in its colour and outlined, each real-axis stability limit marked
// on the axis with the method's marker, the step's z = h * lambda as a ring with a cross (an
// arrow head on the edge when it lies beyond the plane), the axes, the title and the legend.
// The regions' masks and limits come from the caller, which evaluates them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plot/figure/commands.h"

namespace kemi::figure {

// The plot inside a picture of the given size and the part of the plane it shows: the default
// rectangle, stretched to reach z (when finite, up to |z| = 60), then widened along one axis so
// that both axes have the same scale. The masks are `columns` x `rows`, one per plot pixel.
struct RegionPlane {
  Rect plot;
  ViewBox box;
  int columns = 0;
  int rows = 0;
  bool usable() const { return columns >= 2 && rows >= 2; }
};
RegionPlane regionPlane(double width, double height, double z);

struct RegionFigureInput {
  double width = 0.0, height = 0.0;
  RegionPlane plane;
  std::vector<std::size_t> methods;              // drawn in this order
  std::vector<double> limits;                    // each method's real-axis limit
  std::vector<std::vector<std::uint8_t>> masks;  // each method's region, 1 inside
  double z = 0.0;                                // not finite: no point
  std::string title, reLabel, imLabel;
  std::vector<std::string> names;   // each method's legend text
  std::string pointText, stepText;  // the point's two legend lines
  TextMetrics metrics;
};

Commands regionFigure(const RegionFigureInput& in);

}  // namespace kemi::figure
