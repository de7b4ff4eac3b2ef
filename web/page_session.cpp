// The page's run: the window's RunView with the step size, the lines and the picture kept for
// the page to show, and the same stop for a lack of memory as the window gives.
#include "web/page_session.h"

#include <new>

#include "plot/graphic.h"
#include "plot/plot_description.h"

namespace kemi {

PageSession::PageSession(Calculation::FreeMemory freeMemory)
    : calc_(std::move(freeMemory)),
      raster_(kPictureWidth, kPictureHeight, kPictureWidth, kPictureHeight, kPictureBackground,
              kPictureForeground) {}

PageRun PageSession::run(const Entries& entries, std::size_t method) {
  current_ = {};
  const MethodInfo& info = kMethods.at(method);
  methodName_ = info.reportName;
  RunResult result;
  try {
    result = calc_.run(entries, info, *this);
  } catch (const std::bad_alloc&) {
    result = {false,
              "There is not enough memory to finish this calculation. "
              "Try a smaller number of steps N."};
  }
  current_.completed = result.completed;
  current_.cause = result.cause;
  return current_;
}

void PageSession::showStepSize(const std::string& text) {
  current_.stepSizeShown = true;
  current_.stepSize = text;
}

void PageSession::appendLines(const std::array<std::string, 4>& lines) {
  current_.lines.assign(lines.begin(), lines.end());
}

std::optional<std::string> PageSession::redraw(const Calculation& calc, double& x0, double& x1) {
  current_.redrawn = true;
  std::optional<std::string> cause = Graphic(raster_, plotInput(calc), x0, x1);
  current_.description = cause ? *cause : plotDescription(calc, methodName_);
  return cause;
}

std::uint64_t pictureHash(const std::uint32_t* pixels, std::size_t count) {
  std::uint64_t hash = 14695981039346656037u;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t p = pixels[i];
    for (const int shift : {16, 8, 0, 24}) {
      hash ^= (p >> shift) & 0xFFu;
      hash *= 1099511628211u;
    }
  }
  return hash;
}

}  // namespace kemi
