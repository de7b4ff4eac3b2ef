// Fuzzing the equation reader: any text as f(x, y) (and, after a newline, as an exact solution)
// must be accepted or refused with a message, never crash or hang; an accepted one must give a
// problem that is checked, stepped and tabled without either.
#include <cstddef>
#include <cstdint>
#include <string>

#include "study/problem_steps.h"
#include "study/step_table.h"
#include "study/typed_equation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t newline = input.find('\n');
  const std::string f = input.substr(0, newline);
  const std::string exact = newline == std::string::npos ? "" : input.substr(newline + 1);
  try {
    const kemi::study::Problem problem{kemi::study::TypedEquation(f, exact), 0.0, 0.5, 1.0};
    kemi::study::checkProblem(problem);
    static_cast<void>(kemi::study::polygon(problem, 4, 8));
    if (!exact.empty()) static_cast<void>(kemi::study::buildStepTable(problem, 3, 4));
  } catch (const std::invalid_argument&) {
    // Refused with a message: what the reader is for.
  }
  return 0;
}
