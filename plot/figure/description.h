// Each picture's description as text: what a screen reader says and an SVG file carries, built
// from the numbers the picture is drawn from. Numbers arrive as text (each picture has its own
// number style: shortest round-trip, or six significant digits), so the words stay the same
// on every platform that draws the picture.
#pragma once

#include <string>
#include <vector>

namespace kemi::figure {

// "A", "A and B", "A, B and C".
std::string listed(const std::vector<std::string>& items);

struct SolutionFacts {
  std::string caption;  // the equation and its start
  std::string x0, x1, n;
  enum class Drawn { Exact, Reference, None } drawn = Drawn::None;
  std::string accuracy;              // the reference's bound
  std::vector<std::string> methods;  // ids
  std::vector<std::string> errors;   // at x1, per method; "unknown" where there is none
  std::string note;                  // appended when not empty
};
// "Solution of <caption>, from x = 0 to 1 with N = 10 steps. Drawn: the exact solution, Euler.
// Errors at x1 = 1: Euler 0.0614."
std::string solutionDescription(const SolutionFacts& facts);

struct RegionFacts {
  std::vector<std::string> methods;  // ids, as drawn
  bool marked = false;               // a finite z = h * lambda is marked
  std::string z, h, lambda;
  bool rightHalf = false;  // z > 0
  std::vector<std::string> stable, unstable;
};
std::string regionDescription(const RegionFacts& facts);

struct StageFacts {
  std::string title;
  bool shown = false;      // a step is selected
  std::string start, end;  // "(x, y)"
  struct Stage {
    std::string slope, at, k;
  };
  std::vector<Stage> stages;
  std::string solutionKind;  // "exact" or "reference"; empty: no solution drawn
  std::string solutionY, solutionX;
  std::string estimate, lowerEnd;  // an embedded pair's estimate; empty: none
};
std::string stageDescription(const StageFacts& facts);

}  // namespace kemi::figure
