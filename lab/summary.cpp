// The sweep summary, read from the rows in the command line's order.
#include "lab/summary.h"

#include <cmath>
#include <string>

#include "core/method_table.h"

namespace kemi::lab {
namespace {

struct MethodSummary {
  const study::ConvergenceRow* smallest = nullptr;  // smallest |error|, the first if tied
  double smallestNonZero = 0.0;
  const study::ConvergenceRow* observed = nullptr;  // last row far above the floor
};

// Rows [first, last) of one method, in order of N.
MethodSummary summarise(const study::ConvergenceRow* first, const study::ConvergenceRow* last) {
  MethodSummary s;
  for (auto* r = first; r != last; ++r) {
    const double e = std::fabs(r->error);
    if (s.smallest == nullptr || e < std::fabs(s.smallest->error)) s.smallest = r;
    if (e > 0.0 && (s.smallestNonZero == 0.0 || e < s.smallestNonZero)) s.smallestNonZero = e;
  }
  const double floor = kFarAboveFloor * s.smallestNonZero;
  for (auto* r = first + 1; r < last; ++r) {
    const auto* previous = r - 1;
    const bool far = std::fabs(r->error) >= floor && std::fabs(previous->error) >= floor;
    if (far && r->hasOrder() && previous->N * 2 == r->N) s.observed = r;
  }
  return s;
}

}  // namespace

study::TextTable summaryText(const std::vector<study::ConvergenceRow>& rows) {
  study::TextTable table;
  table.header = {"method",         "order",         "observed_order", "observed_at_N",
                  "smallest_error", "smallest_at_N", "evaluations"};
  std::size_t begin = 0;
  while (begin < rows.size()) {
    std::size_t end = begin;
    while (end < rows.size() && rows[end].method == rows[begin].method) ++end;
    const MethodSummary s = summarise(rows.data() + begin, rows.data() + end);
    const MethodInfo& info = kMethods[rows[begin].method];
    table.rows.push_back({
        std::string(info.id),
        std::to_string(info.order),
        s.observed ? study::shortestText(s.observed->observedOrder) : std::string(),
        s.observed ? std::to_string(s.observed->N) : std::string(),
        study::shortestText(std::fabs(s.smallest->error)),
        std::to_string(s.smallest->N),
        std::to_string(s.smallest->evaluations),
    });
    begin = end;
  }
  return table;
}

}  // namespace kemi::lab
