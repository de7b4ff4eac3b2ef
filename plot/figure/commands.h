// A picture as a flat list of drawing commands, built once by the layer and replayed by each
// surface: QPainter in the window and its files, Canvas 2D and SVG on the page. The commands
// follow a painter's calls one for one (a pen, a brush, then shapes), so a surface that replays
// them with the same calls draws the same pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "plot/figure/geometry.h"
#include "plot/figure/legend.h"
#include "plot/figure/style.h"
#include "plot/figure/ticks.h"
#include "plot/figure/view.h"

namespace kemi::figure {

// Each command is its opcode and then its numbers; texts and images by index.
enum class Op {
  Pen = 1,    // r g b width style count dashes... (style 1: the standard dash line, 4 and 2)
  Brush,      // r g b alpha (0-255; 0: no brush)
  Polyline,   // count, x y ...
  Polygon,    // count, x y ... (filled with the brush, outlined with the pen)
  Circle,     // cx cy radius
  Segments,   // count, x1 y1 x2 y2 ... (stroked as one path)
  Rectangle,  // left top width height
  Text,       // x y align(0 start, 1 centre, 2 end) baseline(0 alphabetic, 1 middle, 2 top) index
  Clip,       // left top width height, until Unclip
  Unclip,
  Fill,   // r g b left top width height, without the pen
  Title,  // left top width height index bold: centred in the box
  Image,  // left top index
};

// Premultiplied 0xAARRGGBB pixels, row after row.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

struct Commands {
  std::vector<double> ops;
  std::vector<std::string> texts;
  std::vector<Image> images;
  Rect plot;
};

// The surface's font, which the layout needs: the layer cannot measure text itself.
struct TextMetrics {
  double ascent = 10.0;
  double lineHeight = 14.0;
  std::function<double(const std::string&)> width;
};

enum class Align { Start, Centre, End };
enum class Baseline { Alphabetic, Middle, Top };

class Recorder {
 public:
  explicit Recorder(Commands& out) : out_(out) {}
  void pen(Rgb c, double width, const std::vector<double>& dashes = {});
  void dashedPen(Rgb c, double width);  // the standard dash line
  void brush(Rgb c, int alpha = 255);
  void noBrush();
  void points(Op op, const Polyline& line);  // Polyline or Polygon
  void line(Point a, Point b);
  void segments(const std::vector<Segment>& lines);
  void rectangle(const Rect& r);
  void circle(Point centre, double radius);
  void text(Point at, Align align, Baseline baseline, std::string s);
  void fill(Rgb c, const Rect& r);
  void title(const Rect& box, std::string s, bool bold = true);
  void image(Point topLeft, Image pixels);
  void clip(const Rect& r);
  void unclip();
  void marker(const MarkerShape& shape);
  // Thin lines across the plot at each tick, one line at a time.
  void grid(const Transform& t, const Ticks& xs, const Ticks& ys);
  // The frame, outward tick marks and the tick labels below and left of the plot.
  void axes(const Transform& t, const Ticks& xs, const Ticks& ys, double tickLength, bool trimmed);

 private:
  void op(Op o) { out_.ops.push_back(static_cast<double>(o)); }
  void put(std::initializer_list<double> values) { out_.ops.insert(out_.ops.end(), values); }
  Commands& out_;
};

inline constexpr Rgb kGridColour{0xE4, 0xE4, 0xE4};
inline constexpr Rgb kFrameColour{0x40, 0x40, 0x40};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

}  // namespace kemi::figure
