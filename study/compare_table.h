// compare's table: every chosen method's points at one N on the same x grid beside the exact
// (or reference) solution, with a note for each method whose point left the range of a double.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "study/problem.h"
#include "study/text_table.h"

namespace kemi::study {

struct CompareTable {
  TextTable table;
  std::vector<std::string> notes;  // "rk4 stops at step 3, whose point left the range of a double"
};

// Methods as indexes into kMethods, in the order given; n from 1 to kMaxPolygonSteps.
CompareTable compareTable(const Problem& problem, std::int64_t n,
                          const std::vector<std::size_t>& methods);

}  // namespace kemi::study
