// A system's study results as text tables.
#include "study/system_text.h"

#include <cmath>

#include "study/system_methods.h"

namespace kemi::study {
namespace {

std::string whole(std::int64_t value) {
  return std::to_string(value);
}

std::string yesNo(bool value) {
  return value ? "yes" : "no";
}

std::string orEmpty(double value) {
  return std::isnan(value) ? "" : shortestText(value);
}

std::string solutionName(bool exact) {
  return exact ? "exact" : "reference";
}

}  // namespace

TextTable systemConvergenceText(const std::vector<SystemConvergenceRow>& rows, bool exact) {
  const std::string name = solutionName(exact);
  TextTable t{
      {"method", "N", "h", "x", "y1", "y2", name + "1", name + "2", "error", "observed_order",
       "evaluations", "stable", "resolved", "accuracy", "invariant_drift"},
      {}};
  for (const SystemConvergenceRow& r : rows)
    t.rows.push_back({std::string(systemMethodId(r.method)), whole(r.N), shortestText(r.h),
                      shortestText(r.x), shortestText(r.y[0]), shortestText(r.y[1]),
                      shortestText(r.exact[0]), shortestText(r.exact[1]), shortestText(r.error),
                      orEmpty(r.observedOrder), whole(r.evaluations), yesNo(r.stable),
                      yesNo(r.resolved), exact ? "" : shortestText(r.accuracy), orEmpty(r.drift)});
  return t;
}

TextTable systemStepText(const SystemStepTable& table) {
  const std::string name = solutionName(table.exact);
  TextTable t{{"i", "x", "y1", "y2", name + "1", name + "2", "error", "local_error", "invariant"},
              {}};
  for (int j = 1; j <= 6; ++j)
    for (int c = 1; c <= 2; ++c) t.header.push_back("k" + whole(j) + "." + whole(c));
  t.header.emplace_back("accuracy");
  for (const SystemStepRow& r : table.rows) {
    const bool initial = r.i == 0;
    std::vector<std::string> cells{whole(r.i),
                                   shortestText(r.x),
                                   shortestText(r.y[0]),
                                   shortestText(r.y[1]),
                                   shortestText(r.exact[0]),
                                   shortestText(r.exact[1]),
                                   initial ? "" : shortestText(r.error),
                                   initial ? "" : shortestText(r.localError),
                                   orEmpty(r.invariant)};
    for (int j = 0; j < 6; ++j)
      for (std::size_t c = 0; c < 2; ++c)
        cells.push_back(j < r.stages ? shortestText(r.k[static_cast<std::size_t>(j)][c]) : "");
    cells.push_back(table.exact ? "" : shortestText(table.accuracy));
    t.rows.push_back(std::move(cells));
  }
  return t;
}

TextTable systemCompareText(const std::vector<double>& xs, const std::vector<Vec2>& solution,
                            bool exact, const std::vector<SystemPolygon>& polygons) {
  const std::string name = solutionName(exact);
  TextTable t{{"i", "x", name + "1", name + "2"}, {}};
  for (const SystemPolygon& p : polygons)
    for (const char* c : {".1", ".2"})
      t.header.push_back(std::string(systemMethodId(p.method)) + c);
  for (std::size_t i = 0; i < solution.size() && i < xs.size(); ++i) {
    std::vector<std::string> cells{whole(static_cast<std::int64_t>(i)), shortestText(xs[i]),
                                   shortestText(solution[i][0]), shortestText(solution[i][1])};
    for (const SystemPolygon& p : polygons)
      for (std::size_t c = 0; c < 2; ++c)
        cells.push_back(i < p.y.size() ? shortestText(p.y[i][c]) : "");
    t.rows.push_back(std::move(cells));
  }
  return t;
}

TextTable systemStabilityText(const std::vector<SystemStabilityRow>& rows) {
  TextTable t{{"method", "order", "evaluations", "stability_limit", "imag_limit", "lambda_re",
               "lambda_im", "h_limit", "n_min"},
              {}};
  for (const SystemStabilityRow& r : rows) {
    const bool limited = std::isfinite(r.hLimit);
    t.rows.push_back(
        {std::string(systemMethodId(r.method)), whole(r.order), whole(r.evaluations),
         orEmpty(r.limit), shortestText(r.imagLimit), limited ? shortestText(r.lambda.real()) : "",
         limited ? shortestText(r.lambda.imag()) : "", limited ? shortestText(r.hLimit) : "",
         limited && r.hLimit > 0.0 ? whole(r.nMin) : ""});
  }
  return t;
}

std::vector<std::string> systemStabilityNotes(const std::vector<SystemStabilityRow>& rows) {
  std::vector<std::string> notes;
  for (const SystemStabilityRow& r : rows) {
    if (r.hLimit != 0.0) continue;
    const double growth = amplificationModulus(r.method, 0.1 * r.lambda);
    notes.push_back(std::string(systemMethodId(r.method)) +
                    ": unstable for every h: h*lambda leaves its region for every h > 0 at "
                    "lambda = " +
                    shortestText(r.lambda.real()) + " + " + shortestText(r.lambda.imag()) +
                    "i; at h = 0.1 one step multiplies by " + shortestText(growth) +
                    (growth < 1.0001 ? ", so slowly that only a long run or the invariant's "
                                       "drift shows it"
                                     : ""));
  }
  return notes;
}

void appendSystemRows(TextTable& equations) {
  for (const SystemInfo& s : systemInfos())
    equations.rows.push_back({std::string(s.id), std::string(s.formula), shortestText(s.x0),
                              shortestText(s.y1) + "; " + shortestText(s.y2), std::string(s.exact),
                              shortestText(s.x1)});
}

}  // namespace kemi::study
