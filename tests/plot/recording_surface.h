// A drawing surface that records every call, so tests can compare whole call lists.
#pragma once

#include <cmath>
#include <optional>
#include <ostream>
#include <vector>

#include "plot/drawing_surface.h"

namespace kemi::test {

struct Op {
  enum Kind { kClear, kSetScale, kLine };
  Kind kind = kClear;
  // SetScale: left, top, right, bottom. DrawLine: xa, ya, xb, yb as the floats received.
  double a = 0, b = 0, c = 0, d = 0;
  std::optional<Rgb> colour;
  bool operator==(const Op&) const = default;
};

inline Op clearOp() {
  return {};
}
inline Op scaleOp(double left, double top, double right, double bottom) {
  return {Op::kSetScale, left, top, right, bottom, std::nullopt};
}
inline Op lineOp(double xa, double ya, double xb, double yb,
                 std::optional<Rgb> colour = std::nullopt) {
  return {Op::kLine,
          static_cast<float>(xa),
          static_cast<float>(ya),
          static_cast<float>(xb),
          static_cast<float>(yb),
          colour};
}

inline void PrintTo(const Op& op, std::ostream* os) {
  static const char* const kNames[] = {"Clear", "SetScale", "DrawLine"};
  *os << kNames[op.kind];
  if (op.kind != Op::kClear) {
    os->precision(17);
    *os << "(" << op.a << ", " << op.b << ", " << op.c << ", " << op.d;
    if (op.colour) *os << ", #" << std::hex << *op.colour << std::dec;
    *os << ")";
  }
}

class RecordingSurface : public DrawingSurface {
 public:
  void Clear() override { ops.push_back(clearOp()); }
  void SetScale(double left, double top, double right, double bottom) override {
    ops.push_back(scaleOp(left, top, right, bottom));
  }
  void DrawLine(float xa, float ya, float xb, float yb, std::optional<Rgb> colour) override {
    ops.push_back({Op::kLine, xa, ya, xb, yb, colour});
  }

  std::vector<Op> lines(std::optional<Rgb> colour) const {
    std::vector<Op> out;
    for (const Op& op : ops) {
      if (op.kind == Op::kLine && op.colour == colour) out.push_back(op);
    }
    return out;
  }

  std::vector<Op> ops;
};

}  // namespace kemi::test
