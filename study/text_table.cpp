// Study results as CSV and Markdown text.
#include "text_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "method_table.h"

namespace kemi::study {
namespace {

std::string whole(std::int64_t value) {
  return std::to_string(value);
}

// A field as RFC 4180 writes it: quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (const char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string yesNo(bool value) {
  return value ? "yes" : "no";
}

bool numeric(const std::string& cell) {
  return !cell.empty() && cell.find_first_not_of("+-.0123456789eEinfa") == std::string::npos;
}

}  // namespace

std::string shortestText(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

TextTable convergenceText(const std::vector<ConvergenceRow>& rows, bool exact) {
  TextTable t{{"method", "N", "h", "x", "y", exact ? "exact" : "reference", "error",
               "observed_order", "evaluations", "stable", "resolved", "accuracy"},
              {}};
  for (const ConvergenceRow& r : rows)
    t.rows.push_back({std::string(kMethods.at(r.method).id), whole(r.N), shortestText(r.h),
                      shortestText(r.x), shortestText(r.y), shortestText(r.exact),
                      shortestText(r.error), r.hasOrder() ? shortestText(r.observedOrder) : "",
                      whole(r.evaluations), yesNo(r.stable), yesNo(r.resolved),
                      exact ? "" : shortestText(r.accuracy)});
  return t;
}

TextTable stepText(const StepTable& table) {
  TextTable t{{"i", "x", "y", table.exact ? "exact" : "reference", "error", "local_error", "k1",
               "k2", "k3", "k4", "k5", "k6", "accuracy", "estimate"},
              {}};
  for (const StepRow& r : table.rows) {
    std::vector<std::string> cells{whole(r.i), shortestText(r.x), shortestText(r.y),
                                   shortestText(r.exact)};
    const bool initial = r.i == 0;
    cells.push_back(initial ? "" : shortestText(r.error));
    cells.push_back(initial ? "" : shortestText(r.localError));
    for (int j = 0; j < 6; ++j)
      cells.push_back(j < r.stages.stages ? shortestText(r.stages.k[static_cast<std::size_t>(j)])
                                          : "");
    cells.push_back(table.exact ? "" : shortestText(table.accuracy));
    cells.push_back(table.hasEstimate && !initial ? shortestText(r.estimate) : "");
    t.rows.push_back(std::move(cells));
  }
  return t;
}

TextTable stabilityText(const std::vector<StabilityRow>& rows) {
  TextTable t{{"method", "order", "evaluations", "stability_limit"}, {}};
  for (const StabilityRow& r : rows)
    t.rows.push_back({std::string(kMethods.at(r.method).id), whole(r.order), whole(r.evaluations),
                      shortestText(r.limit)});
  return t;
}

TextTable problemStabilityText(const std::vector<ProblemStabilityRow>& rows) {
  TextTable t{
      {"method", "order", "evaluations", "stability_limit", "lambda_min", "h_limit", "n_min"}, {}};
  for (const ProblemStabilityRow& r : rows) {
    const bool limited = std::isfinite(r.hLimit);
    t.rows.push_back({std::string(kMethods.at(r.method.method).id), whole(r.method.order),
                      whole(r.method.evaluations), shortestText(r.method.limit),
                      shortestText(r.lambdaMin), limited ? shortestText(r.hLimit) : "",
                      limited ? whole(r.nMin) : ""});
  }
  return t;
}

TextTable compareText(const std::vector<double>& xs, const std::vector<double>& solution,
                      bool exact, const std::vector<Polygon>& polygons) {
  TextTable t{{"i", "x", exact ? "exact" : "reference"}, {}};
  for (const Polygon& p : polygons) t.header.emplace_back(kMethods.at(p.method).id);
  for (std::size_t i = 0; i < solution.size() && i < xs.size(); ++i) {
    std::vector<std::string> cells{whole(static_cast<std::int64_t>(i)), shortestText(xs[i]),
                                   shortestText(solution[i])};
    for (const Polygon& p : polygons) cells.push_back(i < p.y.size() ? shortestText(p.y[i]) : "");
    t.rows.push_back(std::move(cells));
  }
  return t;
}

TextTable equationsText() {
  TextTable t{{"id", "f", "x0", "y0", "exact", "x1"}, {}};
  for (const PresetInfo& p : presetInfos())
    t.rows.push_back({std::string(p.id), std::string(p.formula), shortestText(p.x0),
                      shortestText(p.y0), std::string(p.exact), shortestText(p.x1)});
  return t;
}

std::string toCsv(const TextTable& table) {
  std::string text;
  const auto line = [&text](const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i != 0) text += ',';
      text += csvField(cells[i]);
    }
    text += "\r\n";
  };
  line(table.header);
  for (const auto& row : table.rows) line(row);
  return text;
}

std::string toMarkdown(const TextTable& table) {
  std::vector<std::size_t> width(table.header.size(), 3);
  std::vector<bool> right(table.header.size(), false);
  for (std::size_t c = 0; c < table.header.size(); ++c) {
    width[c] = std::max(width[c], table.header[c].size());
    for (const auto& row : table.rows) {
      width[c] = std::max(width[c], row[c].size());
      right[c] = right[c] || numeric(row[c]);
    }
  }
  // Appended piece by piece: g++ 12 at -O3 mistakes " " + string for an overlapping copy.
  std::string text;
  const auto cell = [&](const std::string& content, std::size_t c) {
    const std::string fill(width[c] - content.size(), ' ');
    text += ' ';
    text += right[c] ? fill : content;
    text += right[c] ? content : fill;
    text += " |";
  };
  const auto line = [&](const std::vector<std::string>& cells) {
    text += '|';
    for (std::size_t c = 0; c < cells.size(); ++c) cell(cells[c], c);
    text += '\n';
  };
  line(table.header);
  text += '|';
  for (std::size_t c = 0; c < table.header.size(); ++c) {
    text += ' ';
    text.append(width[c] - 1, '-');
    text += right[c] ? ": |" : "- |";
  }
  text += '\n';
  for (const auto& row : table.rows) line(row);
  return text;
}

}  // namespace kemi::study
