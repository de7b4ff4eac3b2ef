// Number texts made with std::to_chars, which knows no locale: the point is always '.'.
#include "number_format.h"

#include <array>
#include <charconv>

namespace kemi {
namespace {

// std::to_chars writes the sign bit, so -0.0 comes out as "-0.0000". Only a value below zero
// keeps its "-": one that rounds to zero is still negative ("-0.0000" for -0.00004, which tells
// a student on which side of the exact value the error lies), while -0.0 is no negative number.
std::string signedOnlyWhenNegative(std::string text, double value) {
  if (!(value < 0.0) && !text.empty() && text.front() == '-') text.erase(0, 1);
  return text;
}

}  // namespace

std::string formatFixed(double value, int decimals) {
  // Fixed notation of the largest double has 309 digits before the point.
  std::array<char, 400> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, decimals);
  return signedOnlyWhenNegative(std::string(buffer.data(), result.ptr), value);
}

std::string formatF4(double value) {
  return formatFixed(value, 4);
}

std::string formatF8(double value) {
  return formatFixed(value, 8) + "   ";
}

std::string formatGeneral(double value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, 15);
  return signedOnlyWhenNegative(std::string(buffer.data(), result.ptr), value);
}

}  // namespace kemi
