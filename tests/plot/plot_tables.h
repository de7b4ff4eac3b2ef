// Tables for the plot tests, and the plot of them drawn on a recording surface.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "plot/graphic.h"
#include "tests/plot/recording_surface.h"

namespace kemi::test {

struct Tables {
  std::vector<double> XA, YA, X, Y;
  int npt = 0;
  double N = 0;
  PlotInput input() const { return {XA, YA, npt, X, Y, N, std::nullopt}; }
};

struct Drawn {
  RecordingSurface surface;
  std::optional<std::string> cause;
  double x1 = 0;  // the target as Graphic wrote it back
};

inline Drawn draw(const Tables& t, double x1) {
  Drawn d;
  double x0 = t.X.empty() ? 0.0 : t.X[0];
  d.x1 = x1;
  d.cause = Graphic(d.surface, t.input(), x0, d.x1);
  return d;
}

}  // namespace kemi::test
