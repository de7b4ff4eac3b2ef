// One step that also records its stages k1..ks and counts its evaluations of f1, through the
// same formula code that the step loop runs, so the stages shown are those that made the step.
#pragma once

#include <array>

#include "step_methods.h"

namespace kemi {

struct StageRecord {
  std::array<double, 6> k{};  // k1..k6 as formed; entries past `stages` stay 0
  int stages = 0;             // how many increments the step formed
  int evaluations = 0;        // calls of f1
};

using StagedStep = void (*)(const double& x0, const double& y0, const double& h, double& y,
                            StageRecord& record);

template <class Formula>
void stagedStep(const double& x0, const double& y0, const double& h, double& y,
                StageRecord& record) {
  record = StageRecord{};
  const auto counted = [&record](const double& x, const double& yy) {
    ++record.evaluations;
    return f1(x, yy);
  };
  const auto recorded = [&record](int j, double kj) {
    record.k[static_cast<std::size_t>(j - 1)] = kj;
    record.stages = j;
  };
  Formula::apply(counted, x0, y0, h, y, recorded);
}

}  // namespace kemi
