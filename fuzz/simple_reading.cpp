// The plain reading: scan the number with one index, hand it to strtod_l in the "C" locale.
#include "fuzz/simple_reading.h"

#include <locale.h>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace kemi::fuzz {
namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

locale_t cLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  if (c == static_cast<locale_t>(nullptr)) throw std::runtime_error("no C locale");
  return c;
}

}  // namespace

std::string leadingNumberText(std::string_view text) {
  std::string s;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n') s += c;

  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  bool point = false;
  while (i < s.size() && (isDigit(s[i]) || (s[i] == '.' && !point))) {
    if (s[i] == '.')
      point = true;
    else
      ++digits;
    ++i;
  }
  if (digits == 0) return {};
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && isDigit(s[j])) {
      while (j < s.size() && isDigit(s[j])) ++j;
      i = j;
    }
  }
  return s.substr(0, i);
}

std::optional<double> simpleReading(std::string_view text) {
  const std::string number = leadingNumberText(text);
  if (number.empty()) return 0.0;
  errno = 0;
  char* end = nullptr;
  const double value = strtod_l(number.c_str(), &end, cLocale());
  if (end != number.c_str() + number.size())
    throw std::logic_error("strtod stopped inside the leading number \"" + number + '"');
  // ERANGE with HUGE_VAL is an overflow; ERANGE with 0 or a subnormal is an underflow, a value.
  if (errno == ERANGE && std::isinf(value)) return std::nullopt;
  return value;
}

}  // namespace kemi::fuzz
