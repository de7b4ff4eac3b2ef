// The plot's pixels: a drawing surface that lights lines into an image held in memory, row after
// row, each pixel 0xFFRRGGBB. The desktop's plot area and the browser page both draw with it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "plot/drawing_surface.h"

namespace kemi {

class Raster final : public DrawingSurface {
 public:
  // An image of `width` x `height` pixels showing a surface of `logicalWidth` x `logicalHeight`
  // units (more pixels than units on a high-density screen), filled with the background.
  Raster(int width, int height, double logicalWidth, double logicalHeight, Rgb background,
         Rgb foreground);
  Raster() : Raster(0, 0, 0, 0, 0xFFFFFF, 0) {}

  // A new image of another size; the drawing is lost.
  void resize(int width, int height, double logicalWidth, double logicalHeight);
  // The colours of later drawing; a polyline under way ends.
  void setColours(Rgb background, Rgb foreground);

  void Clear() override;
  void SetScale(double left, double top, double right, double bottom) override;
  // Inline, so that a plot drawn on a Raster runs the common case of a long polyline in its
  // own loop: the segment starts where the last one ended, in its colour, and ends in the
  // column the run is open in, so it only widens the run by its end point. The test is made on
  // the floats as given, against the range of abscissae that land in that column and the range
  // of ordinates the mapping keeps finite; the end point is mapped when the run is flushed.
  void DrawLine(float xa, float ya, float xb, float yb,
                std::optional<Rgb> colour = std::nullopt) override {
    if (joinable_ && pointKey(xa, ya) == end_ && pixelOf(colour) == colour_ && xb >= columnLo_ &&
        xb <= columnHi_ && yb >= finiteLo_ && yb <= finiteHi_) {
      runLow_ = yb < runLow_ ? yb : runLow_;
      runHigh_ = yb > runHigh_ ? yb : runHigh_;
      end_ = pointKey(xb, yb);
      return;
    }
    drawSegment(xa, ya, xb, yb, colour);
  }

  int width() const { return width_; }
  int height() const { return height_; }
  // The pixels with every pending line written.
  const std::uint32_t* pixels() const;
  // For copying another drawing in; ends a polyline under way.
  std::uint32_t* mutablePixels();

 private:
  void applyScale();
  // Any segment: flushes the open run unless the segment continues it, then lights its columns.
  [[gnu::noinline]] void drawSegment(float xa, float ya, float xb, float yb,
                                     std::optional<Rgb> colour);
  // A point as one number, so that "starts where the last segment ended" is one comparison of
  // what the last call stored whole. Equal keys are the same floats; +0 and -0 differ, which
  // only means two runs where one would do, not a different pixel. The builtin is what
  // std::bit_cast does; the browser build's C++ library has no std::bit_cast.
  static std::uint64_t pointKey(float x, float y) {
    return std::uint64_t{__builtin_bit_cast(std::uint32_t, x)} << 32 |
           __builtin_bit_cast(std::uint32_t, y);
  }
  std::uint32_t pixelOf(std::optional<Rgb> colour) const {
    return colour ? 0xFF000000u | (*colour & 0xFFFFFFu) : foreground_;
  }
  void addSpan(int column, double low, double high);
  void findColumnAbscissae(int column);
  void flushSpan() const;

  int width_ = 0, height_ = 0;
  double logicalWidth_ = 0, logicalHeight_ = 0;
  mutable std::vector<std::uint32_t> pixels_;
  std::uint32_t background_ = 0, foreground_ = 0;

  // The user coordinate system and its mapping to pixels: px = (x - left) * sx.
  bool userScale_ = false;
  double left_ = 0, top_ = 0, right_ = 1, bottom_ = 1;
  double sx_ = 1, sy_ = 1;
  bool scaleValid_ = false;
  // The floats y whose row (y - top) * sy is finite: all of them unless the scale is extreme.
  float finiteLo_ = 0, finiteHi_ = 0;

  // The polyline being drawn: its colour and where its last segment ended, in user coordinates.
  bool open_ = false;
  std::uint32_t colour_ = 0;
  std::uint64_t end_ = 0;
  // The rows its segments have lit so far in the column where it last ended, not yet in the
  // image: in pixel rows for segments drawn in general, as the lowest and highest ordinate for
  // end points added by the inline case.
  mutable bool spanOpen_ = false;
  int spanColumn_ = 0;
  double spanLow_ = 0, spanHigh_ = 0;
  float runLow_ = 0, runHigh_ = 0;
  // Set while the inline case may add to the run: the polyline and the run are open, and the
  // floats columnLo_ to columnHi_ all land in spanColumn_.
  mutable bool joinable_ = false;
  int boundsColumn_ = -1;  // the column columnLo_ and columnHi_ were found for
  float columnLo_ = 0, columnHi_ = 0;
};

}  // namespace kemi
