// Inside one step as drawing commands: the point where each stage's slope was taken with that
// slope as a short segment, the trial lines from the step's start to those points, the step
// itself as an arrow, and the solution through the step's start for comparison, as textbooks
// draw Runge-Kutta steps; the lower member of an embedded pair as a ring.
#pragma once

#include <array>
#include <string>

#include "core/step_stages.h"
#include "plot/figure/commands.h"

namespace kemi::figure {

struct StageFigureInput {
  double width = 0.0, height = 0.0;
  std::string title;
  bool shown = false;  // a step is selected
  std::size_t method = 0;
  Point start, end;
  double estimate = 0.0;  // an embedded pair's estimate; NaN for the other methods
  StageRecord stages;
  Polyline solution;  // through the step's start
  bool reference = false;
  ViewBox box;                        // from stageBox
  std::array<std::string, 3> legend;  // the solution, the slopes, the step
  TextMetrics metrics;
};

// The part of the plane shown: the step with a margin, and every point drawn.
ViewBox stageBox(Point start, Point end, double estimate, const StageRecord& stages,
                 const Polyline& solution);

// The plot inside a picture of this size.
Rect stagePlot(double width, double height);

Commands stageFigure(const StageFigureInput& in);

}  // namespace kemi::figure
