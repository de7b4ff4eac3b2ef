// One step that also records its stages k1..ks and, for each evaluation of f, the point it was
// evaluated at and the slope it returned, through the same formula code that the step loop
// runs, so the stages shown are those that made the step.
#pragma once

#include <array>

#include "core/step_methods.h"

namespace kemi {

struct StageRecord {
  static constexpr int kMost = 6;
  std::array<double, kMost> k{};      // k1..k6 as formed; entries past `stages` stay 0
  std::array<double, kMost> x{};      // where f was evaluated, in the order it was
  std::array<double, kMost> y{};      //   (entries past `evaluations` stay 0)
  std::array<double, kMost> slope{};  // what f returned there
  int stages = 0;                     // how many increments the step formed
  int evaluations = 0;                // calls of f
};

using StagedStep = void (*)(const double& x0, const double& y0, const double& h, double& y,
                            StageRecord& record);

// One step of Formula on the right-hand side f, recorded.
template <class Formula, class F>
void stagedStepOn(const F& f, const double& x0, const double& y0, const double& h, double& y,
                  StageRecord& record) {
  record = StageRecord{};
  const auto counted = [&record, &f](const double& x, const double& yy) {
    const double slope = f(x, yy);
    if (record.evaluations < StageRecord::kMost) {
      const auto e = static_cast<std::size_t>(record.evaluations);
      record.x[e] = x;
      record.y[e] = yy;
      record.slope[e] = slope;
    }
    ++record.evaluations;
    return slope;
  };
  const auto recorded = [&record](int j, double kj) {
    record.k[static_cast<std::size_t>(j - 1)] = kj;
    record.stages = j;
  };
  Formula::apply(counted, x0, y0, h, y, recorded);
}

// One step of Formula on f1, recorded: the table's staged step.
template <class Formula>
void stagedStep(const double& x0, const double& y0, const double& h, double& y,
                StageRecord& record) {
  stagedStepOn<Formula>(Equation{}, x0, y0, h, y, record);
}

}  // namespace kemi
