// compare's table, shared by the command line and the page.
#include "study/compare_table.h"

#include "core/method_table.h"
#include "study/solution.h"

namespace kemi::study {

CompareTable compareTable(const Problem& problem, std::int64_t n,
                          const std::vector<std::size_t>& methods) {
  // The abscissae accumulate as every method's do, so the grid is the same for all.
  const double h = stepSize(problem.x0, problem.x1, static_cast<double>(n));
  std::vector<double> xs{problem.x0};
  for (std::int64_t i = 1; i <= n; ++i) xs.push_back(xs.back() + h);
  const Solution solution(problem, xs);
  std::vector<double> values;
  values.reserve(xs.size());
  for (const double x : xs) values.push_back(solution.at(x));

  CompareTable out;
  std::vector<Polygon> polygons;
  for (const std::size_t m : methods) {
    polygons.push_back(polygon(problem, m, n));
    if (polygons.back().failedStep != 0)
      out.notes.push_back(std::string(kMethods[m].id) + " stops at step " +
                          std::to_string(polygons.back().failedStep) +
                          ", whose point left the range of a double");
  }
  out.table = compareText(xs, values, solution.exact(), polygons);
  return out;
}

}  // namespace kemi::study
