// Sampling a field on the plot's grid and its marks.
#include "plot/figure/field.h"

#include <cmath>

namespace kemi::figure {

std::vector<FieldSample> sampleField(const VectorFunction& f, const Transform& t, int columns,
                                     int rows) {
  std::vector<FieldSample> samples;
  samples.reserve(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
  const Rect& plot = t.plot();
  for (int j = 0; j < rows; ++j) {
    const double py = plot.top + (j + 0.5) * plot.height / rows;
    for (int i = 0; i < columns; ++i) {
      const double px = plot.left + (i + 0.5) * plot.width / columns;
      const Point world = t.toWorld({px, py});
      const auto [u, v] = f(world.x, world.y);
      if (std::isfinite(u) && std::isfinite(v)) samples.push_back({{px, py}, u, v});
    }
  }
  return samples;
}

std::vector<Segment> fieldMarks(const std::vector<FieldSample>& samples, const Transform& t,
                                double length) {
  std::vector<Segment> marks;
  marks.reserve(samples.size());
  // One unit of x is sx pixels right, one unit of y sy pixels up.
  const double sx = t.xPixelsPerUnit();
  const double sy = t.yPixelsPerUnit();
  const double half = length / 2.0;
  for (const FieldSample& s : samples) {
    const double dx = s.u * sx;
    const double dy = -s.v * sy;
    const double norm = std::hypot(dx, dy);
    const Point at = s.at;
    if (!(norm > 0.0) || !std::isfinite(norm)) {
      marks.push_back({{at.x, at.y - half}, {at.x, at.y + half}});
      continue;
    }
    const double ux = dx / norm * half;
    const double uy = dy / norm * half;
    marks.push_back({{at.x - ux, at.y - uy}, {at.x + ux, at.y + uy}});
  }
  return marks;
}

std::vector<Segment> slopeMarks(const Slope& f, const Transform& t, int columns, int rows,
                                double length) {
  const VectorFunction field = [&f](double x, double y) {
    return std::array<double, 2>{1.0, f(x, y)};
  };
  return fieldMarks(sampleField(field, t, columns, rows), t, length);
}

}  // namespace kemi::figure
