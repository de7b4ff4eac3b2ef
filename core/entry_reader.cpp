// The entry reader. The text is first reduced to the longest leading decimal number with the
// ignored characters taken out; fast_float then converts it, correctly rounded and without any
// locale, the same on every build (the browser build's C++ library has no floating-point
// std::from_chars).
#include "core/entry_reader.h"

#include <fast_float/fast_float.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace kemi {
namespace {

bool ignored(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool digit(char c) {
  return c >= '0' && c <= '9';
}

// The leading number of `text` with blanks, tabs and line feeds removed, without a '+' sign
// (from_chars takes none). Empty when the text starts with no number.
struct LeadingNumber {
  std::string chars;
  bool negative = false;
};

LeadingNumber leadingNumber(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text)
    if (!ignored(c)) s.push_back(c);

  LeadingNumber n;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    n.negative = s[i] == '-';
    ++i;
  }
  std::string mantissa;
  std::int64_t digitCount = 0;
  bool point = false;
  for (; i < s.size(); ++i) {
    if (digit(s[i])) {
      ++digitCount;
      mantissa.push_back(s[i]);
    } else if (s[i] == '.' && !point) {
      point = true;
      mantissa.push_back('.');
    } else {
      break;
    }
  }
  if (digitCount == 0) return {};

  // An exponent counts only when at least one digit follows the E and its sign.
  std::string exponent;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    bool expNegative = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) expNegative = s[j++] == '-';
    std::size_t k = j;
    while (k < s.size() && digit(s[k])) ++k;
    if (k > j) {
      exponent = expNegative ? "e-" : "e";
      exponent.append(s.substr(j, k - j));
    }
  }
  if (n.negative) n.chars.push_back('-');
  n.chars.append(mantissa).append(exponent);
  return n;
}

}  // namespace

std::optional<double> readEntry(std::string_view text) {
  const LeadingNumber n = leadingNumber(text);
  if (n.chars.empty()) return 0.0;
  double value = 0.0;
  const char* first = n.chars.data();
  const char* last = first + n.chars.size();
  const auto [ptr, ec] =
      fast_float::from_chars(first, last, value, fast_float::chars_format::general);
  if (ec != std::errc() || ptr != last) return 0.0;  // cannot happen for the reduced text
  // fast_float rounds a number beyond the range to infinity and one too small to zero or its
  // subnormal, with the number's sign. Too large is a failure; too small reads as that value.
  if (std::isinf(value)) return std::nullopt;
  return value;
}

}  // namespace kemi
