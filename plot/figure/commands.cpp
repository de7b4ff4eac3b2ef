// Recording drawing commands.
#include "plot/figure/commands.h"

namespace kemi::figure {

void Recorder::pen(Rgb c, double width, const std::vector<double>& dashes) {
  op(Op::Pen);
  put({double(c.r), double(c.g), double(c.b), width, 0.0, static_cast<double>(dashes.size())});
  out_.ops.insert(out_.ops.end(), dashes.begin(), dashes.end());
}

void Recorder::dashedPen(Rgb c, double width) {
  op(Op::Pen);
  put({double(c.r), double(c.g), double(c.b), width, 1.0, 2.0, 4.0, 2.0});
}

void Recorder::brush(Rgb c, int alpha) {
  op(Op::Brush);
  put({double(c.r), double(c.g), double(c.b), double(alpha)});
}

void Recorder::noBrush() {
  brush(kBlack, 0);
}

void Recorder::points(Op o, const Polyline& line) {
  op(o);
  out_.ops.push_back(static_cast<double>(line.size()));
  for (const Point p : line) put({p.x, p.y});
}

void Recorder::line(Point a, Point b) {
  segments({{a, b}});
}

void Recorder::segments(const std::vector<Segment>& lines) {
  op(Op::Segments);
  out_.ops.push_back(static_cast<double>(lines.size()));
  for (const Segment& s : lines) put({s.a.x, s.a.y, s.b.x, s.b.y});
}

void Recorder::rectangle(const Rect& r) {
  op(Op::Rectangle);
  put({r.left, r.top, r.width, r.height});
}

void Recorder::circle(Point centre, double radius) {
  op(Op::Circle);
  put({centre.x, centre.y, radius});
}

void Recorder::text(Point at, Align align, Baseline baseline, std::string s) {
  op(Op::Text);
  put({at.x, at.y, double(static_cast<int>(align)), double(static_cast<int>(baseline)),
       static_cast<double>(out_.texts.size())});
  out_.texts.push_back(std::move(s));
}

void Recorder::fill(Rgb c, const Rect& r) {
  op(Op::Fill);
  put({double(c.r), double(c.g), double(c.b), r.left, r.top, r.width, r.height});
}

void Recorder::title(const Rect& box, std::string s, bool bold) {
  op(Op::Title);
  put({box.left, box.top, box.width, box.height, static_cast<double>(out_.texts.size()),
       bold ? 1.0 : 0.0});
  out_.texts.push_back(std::move(s));
}

void Recorder::image(Point topLeft, Image pixels) {
  op(Op::Image);
  put({topLeft.x, topLeft.y, static_cast<double>(out_.images.size())});
  out_.images.push_back(std::move(pixels));
}

void Recorder::clip(const Rect& r) {
  op(Op::Clip);
  put({r.left, r.top, r.width, r.height});
}

void Recorder::unclip() {
  op(Op::Unclip);
}

void Recorder::marker(const MarkerShape& shape) {
  pen(shape.colour, shape.pen);
  if (shape.filled)
    brush(shape.colour);
  else
    noBrush();
  if (shape.round)
    circle(shape.centre, shape.radius);
  else
    points(Op::Polygon, shape.points);
}

void Recorder::grid(const Transform& t, const Ticks& xs, const Ticks& ys) {
  const Rect plot = t.plot();
  pen(kGridColour, 1.0);
  for (std::int64_t k = xs.first; k <= xs.last; ++k) {
    const double px = t.toPixel(xs.value(k), t.box().yMin).x;
    line({px, plot.top}, {px, plot.bottom()});
  }
  for (std::int64_t k = ys.first; k <= ys.last; ++k) {
    const double py = t.toPixel(t.box().xMin, ys.value(k)).y;
    line({plot.left, py}, {plot.right(), py});
  }
}

void Recorder::axes(const Transform& t, const Ticks& xs, const Ticks& ys, double tickLength,
                    bool trimmed) {
  const Rect plot = t.plot();
  pen(kFrameColour, 1.0);
  noBrush();
  rectangle(plot);
  const auto label = [trimmed](const Ticks& ticks, std::int64_t k) {
    return trimmed ? ticks.trimmedLabel(k) : ticks.label(k);
  };
  for (std::int64_t k = xs.first; k <= xs.last; ++k) {
    const double px = t.toPixel(xs.value(k), t.box().yMin).x;
    if (tickLength > 0.0) line({px, plot.bottom()}, {px, plot.bottom() + tickLength});
    text({px, plot.bottom() + 6.0}, Align::Centre, Baseline::Top, label(xs, k));
  }
  for (std::int64_t k = ys.first; k <= ys.last; ++k) {
    const double py = t.toPixel(t.box().xMin, ys.value(k)).y;
    if (tickLength > 0.0) line({plot.left - tickLength, py}, {plot.left, py});
    text({plot.left - 7.0, py}, Align::End, Baseline::Middle, label(ys, k));
  }
}

}  // namespace kemi::figure
