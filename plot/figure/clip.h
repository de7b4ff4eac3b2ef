// Cutting lines to the plot: a painter would stroke the whole of a segment that runs far outside
// (a method running away), at a cost that grows with its length, and an SVG would carry it.
#pragma once

#include <vector>

#include "plot/figure/geometry.h"
#include "plot/figure/view.h"

namespace kemi::figure {

// Cuts the segment a-b to `r`; false when nothing of it is inside.
bool clipSegment(Point& a, Point& b, const Rect& r);

// The plane points `world` in pixels of `t`, cut to `clip` and joined into polylines: a point
// that is not finite breaks the line, as does a stretch outside `clip`.
std::vector<Polyline> visibleRuns(const std::vector<Point>& world, const Transform& t,
                                  const Rect& clip);

}  // namespace kemi::figure
