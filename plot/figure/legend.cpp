// Legend layout.
#include "plot/figure/legend.h"

#include <algorithm>
#include <array>

namespace kemi::figure {

std::vector<LegendItem> columnLegend(Point topLeft, double rowHeight, double swatchWidth,
                                     double swatchHeight, double gap, std::size_t count) {
  std::vector<LegendItem> items;
  double top = topLeft.y;
  for (std::size_t i = 0; i < count; ++i) {
    const Rect swatch{topLeft.x, top, swatchWidth, swatchHeight};
    items.push_back({swatch, swatch.right() + gap, swatch.centre().y});
    top += rowHeight;
  }
  return items;
}

std::vector<LegendItem> rowLegend(double left, double centreY, double swatchWidth, double gap,
                                  double spacing, std::span<const double> textWidths) {
  std::vector<LegendItem> items;
  double x = left;
  for (const double width : textWidths) {
    items.push_back({{x, centreY, swatchWidth, 0.0}, x + swatchWidth + gap, centreY});
    x += swatchWidth + gap + width + spacing;
  }
  return items;
}

Rect quietCorner(const Transform& t, double width, double height, double margin,
                 std::span<const Polyline> curves) {
  const Rect& plot = t.plot();
  const double right = plot.right() - width - margin;
  const double bottom = plot.bottom() - height - margin;
  const std::array<Rect, 4> corners{Rect{right, plot.top + margin, width, height},
                                    Rect{plot.left + margin, plot.top + margin, width, height},
                                    Rect{right, bottom, width, height},
                                    Rect{plot.left + margin, bottom, width, height}};
  std::array<std::size_t, 4> covered{};
  for (const Polyline& curve : curves) {
    const std::size_t stride = curve.size() / 500 + 1;
    for (std::size_t i = 0; i < curve.size(); i += stride) {
      const Point at = t.toPixel(curve[i]);
      for (std::size_t c = 0; c < corners.size(); ++c)
        covered[c] += corners[c].contains(at) ? 1 : 0;
    }
  }
  return corners[static_cast<std::size_t>(std::min_element(covered.begin(), covered.end()) -
                                          covered.begin())];
}

}  // namespace kemi::figure
