// A vector field (u, v) sampled on a grid of the plot and turned into short marks of one length
// on the screen: the direction field of y' = f(x, y) is the field (1, f), a phase plane's is
// (y1', y2'). The marks are what one drawLines call (or one canvas path) draws.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "plot/figure/geometry.h"
#include "plot/figure/view.h"

namespace kemi::figure {

using VectorFunction = std::function<std::array<double, 2>(double, double)>;
using Slope = std::function<double(double, double)>;

struct FieldSample {
  Point at;  // the cell's centre in pixels
  double u = 0.0;
  double v = 0.0;
};

// f at the centres of columns x rows equal cells of t's plot; a point where u or v is not
// finite gets no sample.
std::vector<FieldSample> sampleField(const VectorFunction& f, const Transform& t, int columns,
                                     int rows);

// A mark `length` pixels long centred on each sample, turned to (u, v) as the picture shows it
// (x rightwards, y upwards, each axis at its own scale). A vector too steep for doubles to tell
// apart from vertical is drawn vertical.
std::vector<Segment> fieldMarks(const std::vector<FieldSample>& samples, const Transform& t,
                                double length);

// The direction field of y' = f(x, y).
std::vector<Segment> slopeMarks(const Slope& f, const Transform& t, int columns, int rows,
                                double length);

}  // namespace kemi::figure
