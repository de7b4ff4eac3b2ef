// The entry reader. The text is first reduced to the longest leading decimal number with the
// ignored characters taken out; std::from_chars then converts it, so no locale takes part.
#include "entry_reader.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

namespace kemi {
namespace {

constexpr std::int64_t kExponentCap = 100'000'000'000'000'000;

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
  bool hasNonZeroDigit = false;
  std::int64_t magnitude = 0;  // decimal exponent of the leading non-zero digit, roughly
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
  std::int64_t intDigits = 0;      // digits before the point
  std::int64_t firstNonZero = -1;  // position of the first non-zero digit among all digits
  std::int64_t digitCount = 0;
  bool point = false;
  for (; i < s.size(); ++i) {
    if (digit(s[i])) {
      if (s[i] != '0' && firstNonZero < 0) firstNonZero = digitCount;
      ++digitCount;
      if (!point) ++intDigits;
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
  std::int64_t expValue = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    bool expNegative = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) expNegative = s[j++] == '-';
    std::size_t k = j;
    while (k < s.size() && digit(s[k])) {
      // The exponent stops growing at 10^17 to stay in range. That still outweighs the leading
      // zeros or digits of any text that fits in memory, so the magnitude stays right.
      if (expValue < kExponentCap) expValue = expValue * 10 + (s[k] - '0');
      ++k;
    }
    if (k > j) {
      exponent = expNegative ? "e-" : "e";
      exponent.append(s.substr(j, k - j));
      if (expNegative) expValue = -expValue;
    } else {
      expValue = 0;
    }
  }
  if (n.negative) n.chars.push_back('-');
  n.chars.append(mantissa).append(exponent);
  n.hasNonZeroDigit = firstNonZero >= 0;
  n.magnitude = intDigits - 1 - firstNonZero + expValue;
  return n;
}

}  // namespace

std::optional<double> readEntry(std::string_view text) {
  const LeadingNumber n = leadingNumber(text);
  if (n.chars.empty()) return 0.0;
  double value = 0.0;
  const char* first = n.chars.data();
  const char* last = first + n.chars.size();
  const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // Too large is a failure; too small is zero with the number's sign.
    if (n.hasNonZeroDigit && n.magnitude > 0) return std::nullopt;
    return n.negative ? -0.0 : 0.0;
  }
  if (ec != std::errc() || ptr != last) return 0.0;  // cannot happen for the reduced text
  return value;
}

}  // namespace kemi
