// The pictures' sentences.
#include "plot/figure/description.h"

#include <fmt/format.h>

namespace kemi::figure {

std::string listed(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
    text += items[i];
  }
  return text;
}

std::string solutionDescription(const SolutionFacts& f) {
  std::string text = fmt::format("Solution of {}, from x = {} to {} with N = {} steps. ", f.caption,
                                 f.x0, f.x1, f.n);
  switch (f.drawn) {
    case SolutionFacts::Drawn::Exact:
      text += "Drawn: the exact solution";
      break;
    case SolutionFacts::Drawn::Reference:
      text += "Drawn: a reference solution, accurate to " + f.accuracy;
      break;
    case SolutionFacts::Drawn::None:
      text += "Drawn: no solution";
      break;
  }
  for (const std::string& m : f.methods) text += ", " + m;
  text += fmt::format(". Errors at x1 = {}:", f.x1);
  for (std::size_t i = 0; i < f.methods.size(); ++i)
    text += fmt::format(" {} {}{}", f.methods[i], f.errors[i], i + 1 < f.methods.size() ? "," : "");
  text += '.';
  if (!f.note.empty()) text += ' ' + f.note;
  return text;
}

std::string regionDescription(const RegionFacts& f) {
  std::string text = f.methods.empty() ? "No method is chosen."
                                       : "Stability regions of " + listed(f.methods) + ".";
  if (!f.marked) return text + " No step is marked.";
  text += fmt::format(" The step's z = h·λ = {} (h = {}, λ = {})", f.z, f.h, f.lambda);
  if (f.rightHalf)
    return text +
           " lies right of the imaginary axis: the exact solution grows there too, and "
           "stability does not limit the step.";
  text += ":";
  if (!f.stable.empty()) text += " stable with " + listed(f.stable);
  if (!f.stable.empty() && !f.unstable.empty()) text += ';';
  if (!f.unstable.empty()) text += " unstable with " + listed(f.unstable);
  return text + '.';
}

std::string stageDescription(const StageFacts& f) {
  std::string text = f.title + '.';
  if (!f.shown) return text;
  text += fmt::format(" From {} to {}.", f.start, f.end);
  for (std::size_t e = 0; e < f.stages.size(); ++e)
    text += fmt::format(" Stage {0}: slope {1} at {2}, k{0} = {3}.", e + 1, f.stages[e].slope,
                        f.stages[e].at, f.stages[e].k);
  if (!f.estimate.empty())
    text += fmt::format(
        " The lower member of the pair (hollow circle) ends at {}, the step's result minus the "
        "estimate {}.",
        f.lowerEnd, f.estimate);
  if (!f.solutionKind.empty())
    text += fmt::format(" The {} solution through the step's start reaches {} at x = {}.",
                        f.solutionKind, f.solutionY, f.solutionX);
  return text;
}

}  // namespace kemi::figure
