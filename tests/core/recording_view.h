// A RunView that records what a run shows, for checking runs without windows.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/calculation.h"

namespace kemi {

struct RecordingView : RunView {
  std::vector<std::string> stepSizes;
  std::vector<std::string> lines;
  int redraws = 0;
  std::optional<std::string> redrawCause;  // what redraw answers

  void showStepSize(const std::string& text) override { stepSizes.push_back(text); }
  void appendLines(const std::array<std::string, 4>& four) override {
    lines.insert(lines.end(), four.begin(), four.end());
  }
  std::optional<std::string> redraw(const Calculation&, double&, double&) override {
    ++redraws;
    return redrawCause;
  }
};

inline Entries entries(std::string x1, std::string N) {
  return {"0", "-1", x1, N};
}

}  // namespace kemi
