// Strict reading of the lab's numbers and method ids.
#include "study/study_input.h"

#include <fast_float/fast_float.h>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/method_table.h"

namespace kemi::study {
namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::optional<double> readNumber(std::string_view text) {
  // from_chars alone would also take "inf", "nan" and hexadecimal digits after a prefix; only
  // signs, digits, one point and an exponent are numbers here.
  if (text.empty() || text.find_first_not_of("+-.0123456789eE") != std::string_view::npos)
    return std::nullopt;
  std::string_view digits = text;
  if (digits.front() == '+') digits.remove_prefix(1);
  if (digits.empty() || (text.front() == '+' && digits.front() == '-')) return std::nullopt;
  double value = 0.0;
  const auto [end, error] = fast_float::from_chars(digits.data(), digits.data() + digits.size(),
                                                   value, fast_float::chars_format::general);
  if (end != digits.data() + digits.size() || error != std::errc()) return std::nullopt;
  // fast_float rounds a number too large for a double to infinity, which is no number here, and
  // one too small to a zero of its sign, which is that zero only when written with a negative
  // exponent (a long run of zeros after the point is no number either).
  if (std::isinf(value)) return std::nullopt;
  const std::size_t e = digits.find_first_of("eE");
  if (value == 0.0 && digits.substr(0, e).find_first_of("123456789") != std::string_view::npos &&
      (e == std::string_view::npos || digits[e + 1] != '-'))
    return std::nullopt;
  return value;
}

std::optional<std::int64_t> readWholeNumber(std::string_view text) {
  const std::optional<double> value = readNumber(text);
  // 2^63 is the first double past the int64 range.
  if (!value || std::floor(*value) != *value || std::abs(*value) >= 9223372036854775808.0)
    return std::nullopt;
  return static_cast<std::int64_t>(*value);
}

std::optional<std::size_t> methodById(std::string_view id) {
  for (std::size_t m = 0; m < kMethods.size(); ++m)
    if (sameIgnoringCase(id, kMethods[m].id)) return m;
  return std::nullopt;
}

MethodList readMethodList(std::string_view list) {
  MethodList result;
  while (true) {
    const std::size_t comma = list.find(',');
    const std::string_view id = list.substr(0, comma);
    if (const std::optional<std::size_t> m = methodById(id)) {
      result.methods.push_back(*m);
    } else if (result.unknown.empty()) {
      result.unknown = std::string(id);
      if (id.empty()) result.unknown = "(empty)";
    }
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  std::sort(result.methods.begin(), result.methods.end());
  result.methods.erase(std::unique(result.methods.begin(), result.methods.end()),
                       result.methods.end());
  return result;
}

std::string methodIdsText() {
  std::string text;
  for (const MethodInfo& m : kMethods) text += (text.empty() ? "" : ", ") + std::string(m.id);
  return text;
}

}  // namespace kemi::study
