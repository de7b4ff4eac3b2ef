// Where a legend's entries go. The layer cannot measure text, so the renderer passes the widths
// of the texts it will draw; each entry gets a swatch (a line, a marker, a filled box) and the
// place where its text starts, vertically centred on the swatch.
#pragma once

#include <span>
#include <vector>

#include "plot/figure/geometry.h"
#include "plot/figure/view.h"

namespace kemi::figure {

struct LegendItem {
  Rect swatch;
  double textLeft = 0.0;
  double centreY = 0.0;  // the text's vertical middle, the swatch's centre line
};

// `count` rows from `topLeft` downwards, each `rowHeight` high, its swatch `swatchWidth` x
// `swatchHeight` at the row's top and the text `gap` pixels right of the swatch.
std::vector<LegendItem> columnLegend(Point topLeft, double rowHeight, double swatchWidth,
                                     double swatchHeight, double gap, std::size_t count);

// Entries side by side along the line y = centreY from `left`: swatch, `gap`, the text of the
// given width, then `spacing` before the next swatch.
std::vector<LegendItem> rowLegend(double left, double centreY, double swatchWidth, double gap,
                                  double spacing, std::span<const double> textWidths);

// Of the four corners of `plot` (inset by `margin`), the one where a `width` x `height` box
// covers the fewest points of `curves` (plane points, mapped by `t`; at most about 500 of each
// curve are counted). Ties go to top right, top left, bottom right, bottom left in that order.
Rect quietCorner(const Transform& t, double width, double height, double margin,
                 std::span<const Polyline> curves);

}  // namespace kemi::figure
