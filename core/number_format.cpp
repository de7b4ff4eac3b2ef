// Number texts made with {fmt}, which knows no locale unless asked ('L'): the point is always
// '.'. Its conversions are exact, as std::to_chars is; the browser build's C++ library has no
// floating-point std::to_chars, and one code path keeps both builds' text identical.
#include "core/number_format.h"

#include <fmt/format.h>

namespace kemi {
namespace {

// {fmt} writes the sign bit, so -0.0 comes out as "-0.0000". Only a value below zero
// keeps its "-": one that rounds to zero is still negative ("-0.0000" for -0.00004, which tells
// a student on which side of the exact value the error lies), while -0.0 is no negative number.
std::string signedOnlyWhenNegative(std::string text, double value) {
  if (!(value < 0.0) && !text.empty() && text.front() == '-') text.erase(0, 1);
  return text;
}

}  // namespace

std::string formatFixed(double value, int decimals) {
  return signedOnlyWhenNegative(fmt::format("{:.{}f}", value, decimals), value);
}

std::string formatF4(double value) {
  return formatFixed(value, 4);
}

std::string formatF8(double value) {
  return formatFixed(value, 8) + "   ";
}

std::string formatGeneral(double value) {
  return signedOnlyWhenNegative(fmt::format("{:.15g}", value), value);
}

}  // namespace kemi
