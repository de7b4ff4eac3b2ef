// Liang-Barsky clipping and the polylines of a curve inside the plot.
#include "plot/figure/clip.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kemi::figure {

bool clipSegment(Point& a, Point& b, const Rect& r) {
  double t0 = 0.0;
  double t1 = 1.0;
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const std::array<std::array<double, 2>, 4> edges{
      {{-dx, a.x - r.left}, {dx, r.right() - a.x}, {-dy, a.y - r.top}, {dy, r.bottom() - a.y}}};
  for (const auto& [p, q] : edges) {
    if (p == 0.0) {
      if (q < 0.0) return false;
      continue;
    }
    const double t = q / p;
    if (p < 0.0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  const Point start = a;
  a = {start.x + dx * t0, start.y + dy * t0};
  b = {start.x + dx * t1, start.y + dy * t1};
  return true;
}

std::vector<Polyline> visibleRuns(const std::vector<Point>& world, const Transform& t,
                                  const Rect& clip) {
  std::vector<Polyline> runs;
  Polyline run;
  bool previous = false;
  Point last;
  for (const Point& w : world) {
    const bool finite = std::isfinite(w.x) && std::isfinite(w.y);
    const Point here = finite ? t.toPixel(w) : Point{};
    if (finite && previous) {
      Point a = last;
      Point b = here;
      if (clipSegment(a, b, clip)) {
        if (run.empty() || run.back() != a) {
          if (run.size() > 1) runs.push_back(std::move(run));
          run.clear();
          run.push_back(a);
        }
        run.push_back(b);
      }
    }
    previous = finite;
    last = here;
  }
  if (run.size() > 1) runs.push_back(std::move(run));
  return runs;
}

}  // namespace kemi::figure
