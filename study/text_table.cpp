// Study results as CSV and Markdown text.
#include "study/text_table.h"

#include <fmt/format.h>
#include <algorithm>
#include <cmath>

#include "core/method_table.h"

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
  // {fmt}'s shortest round-trip digits, read back as digits and a decimal point, then laid out
  // as the tables always had them: the shorter of "123.5" and "1.235e+02", fixed on a tie, and a
  // whole number in fixed form with all its digits ("6196953087261802496", not zeros).
  const std::string text = fmt::format("{}", value);
  const bool negative = text.front() == '-';
  std::string digits;
  int point = -1;
  std::size_t i = negative ? 1 : 0;
  for (; i < text.size() && text[i] != 'e'; ++i) {
    if (text[i] == '.')
      point = static_cast<int>(digits.size());
    else
      digits += text[i];
  }
  if (point < 0) point = static_cast<int>(digits.size());
  if (i < text.size()) point += std::stoi(text.substr(i + 1));
  const std::size_t lead = digits.find_first_not_of('0');
  if (lead == std::string::npos) return negative ? "-0" : "0";
  digits.erase(0, lead);
  point -= static_cast<int>(lead);
  digits.erase(digits.find_last_not_of('0') + 1);
  const int n = static_cast<int>(digits.size());
  const int e = point - 1;  // the exponent of d.ddd
  const int absE = std::abs(e);
  const int fixedLength = e >= 0 ? std::max(n, e + 1) + (n > e + 1 ? 1 : 0) : 1 - e + n;
  const int scientificLength = n + (n > 1 ? 1 : 0) + 2 + (absE >= 100 ? 3 : 2);
  const std::string sign = negative ? "-" : "";
  if (fixedLength <= scientificLength) {
    if (e >= n - 1) return fmt::format("{:.0f}", value);
    if (e >= 0) return sign + digits.substr(0, e + 1) + "." + digits.substr(e + 1);
    return sign + "0." + std::string(-e - 1, '0') + digits;
  }
  return sign + digits.substr(0, 1) + (n > 1 ? "." + digits.substr(1) : "") +
         fmt::format("e{}{:02}", e < 0 ? '-' : '+', absE);
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
