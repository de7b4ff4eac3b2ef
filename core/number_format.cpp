// Number texts made with std::to_chars, which knows no locale: the point is always '.'.
#include "number_format.h"

#include <array>
#include <charconv>

namespace kemi {
namespace {

// Drops the sign of a text such as "-0.0000" or "-0", whose digits are all zero.
std::string withoutSignOfZero(std::string text) {
  if (!text.empty() && text.front() == '-' && text.find_first_not_of("0.", 1) == std::string::npos)
    text.erase(0, 1);
  return text;
}

}  // namespace

std::string formatFixed(double value, int decimals) {
  // Fixed notation of the largest double has 309 digits before the point.
  std::array<char, 400> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, decimals);
  return withoutSignOfZero(std::string(buffer.data(), result.ptr));
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
  return withoutSignOfZero(std::string(buffer.data(), result.ptr));
}

}  // namespace kemi
