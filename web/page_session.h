// What the browser page runs: the main window's calculation and plot without the window. One
// session keeps the tables and the picture between runs, as the window does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/calculation.h"
#include "plot/raster.h"

namespace kemi {

// The plot area's size in pixels (4815 x 3735 twips) and its colours.
inline constexpr int kPictureWidth = 321;
inline constexpr int kPictureHeight = 249;
inline constexpr Rgb kPictureBackground = 0xFFFFC0;
inline constexpr Rgb kPictureForeground = 0x000000;

// What one press of CALCULATE shows.
struct PageRun {
  bool stepSizeShown = false;
  std::string stepSize;            // Text_h, when shown
  std::vector<std::string> lines;  // the four report lines, or none
  bool completed = false;
  std::string cause;        // why the run stopped
  bool redrawn = false;     // the picture was cleared and drawn again
  std::string description;  // what the picture shows, for a screen reader
};

class PageSession : private RunView {
 public:
  explicit PageSession(Calculation::FreeMemory freeMemory = availableMemoryBytes);

  // The entries as typed and the index of the method in kMethods.
  PageRun run(const Entries& entries, std::size_t method);
  // The picture as the last run left it, each pixel 0xFFRRGGBB, row after row.
  const std::uint32_t* pixels() const { return raster_.pixels(); }

 private:
  void showStepSize(const std::string& text) override;
  void appendLines(const std::array<std::string, 4>& lines) override;
  std::optional<std::string> redraw(const Calculation& calc, double& x0, double& x1) override;

  Calculation calc_;
  Raster raster_;
  PageRun current_;
  std::string_view methodName_;
};

// The standard 64-bit FNV-1a hash of the picture's bytes in the order a canvas holds them
// (red, green, blue, alpha for each pixel): a short way to compare two pictures exactly.
std::uint64_t pictureHash(const std::uint32_t* pixels, std::size_t count);

}  // namespace kemi
