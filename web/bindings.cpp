// The page's module: a handful of functions over one page session, for the page's worker.
#include <emscripten/bind.h>
#include <emscripten/heap.h>
#include <malloc.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "web/page_session.h"

namespace {

using emscripten::val;

// The memory a new table may take: what the module may still grow to, less what is in use.
// The browser may refuse to grow before that; the allocation then fails and the run stops
// with the same message.
std::optional<std::uint64_t> browserFreeMemory() {
  const struct mallinfo used = mallinfo();
  const std::uint64_t max = emscripten_get_heap_max();
  const auto inUse = static_cast<std::uint64_t>(used.uordblks);
  return max > inUse ? max - inUse : 0;
}

kemi::PageSession& session() {
  static kemi::PageSession s(browserFreeMemory);
  return s;
}

val run(const std::string& x0, const std::string& y0, const std::string& x1, const std::string& n,
        int method) {
  const kemi::PageRun r = session().run({x0, y0, x1, n}, static_cast<std::size_t>(method));
  val lines = val::array();
  for (const std::string& line : r.lines) lines.call<void>("push", line);
  val out = val::object();
  out.set("stepSizeShown", r.stepSizeShown);
  out.set("stepSize", r.stepSize);
  out.set("lines", lines);
  out.set("completed", r.completed);
  out.set("cause", r.cause);
  out.set("redrawn", r.redrawn);
  out.set("description", r.description);
  return out;
}

// The picture as a canvas holds it, red, green, blue and alpha bytes; a view into the module's
// memory, valid until the next call.
val picture() {
  static std::vector<std::uint8_t> rgba(std::size_t{kemi::kPictureWidth} * kemi::kPictureHeight *
                                        4);
  const std::uint32_t* p = session().pixels();
  for (std::size_t i = 0; i < rgba.size() / 4; ++i) {
    rgba[4 * i] = static_cast<std::uint8_t>(p[i] >> 16);
    rgba[4 * i + 1] = static_cast<std::uint8_t>(p[i] >> 8);
    rgba[4 * i + 2] = static_cast<std::uint8_t>(p[i]);
    rgba[4 * i + 3] = static_cast<std::uint8_t>(p[i] >> 24);
  }
  return val(emscripten::typed_memory_view(rgba.size(), rgba.data()));
}

std::string pictureHash() {
  const std::size_t count = std::size_t{kemi::kPictureWidth} * kemi::kPictureHeight;
  return std::to_string(kemi::pictureHash(session().pixels(), count));
}

}  // namespace

EMSCRIPTEN_BINDINGS(kemi) {
  emscripten::function("run", &run);
  emscripten::function("picture", &picture);
  emscripten::function("pictureHash", &pictureHash);
  emscripten::constant("pictureWidth", kemi::kPictureWidth);
  emscripten::constant("pictureHeight", kemi::kPictureHeight);
}
