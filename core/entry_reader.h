// Reads the number a student typed into an entry, the same way under every locale.
#pragma once

#include <optional>
#include <string_view>

namespace kemi {

// Blanks, tabs and line feeds are ignored wherever they stand. The value is the longest leading
// decimal number (sign, digits with at most one '.', optional exponent); the rest is ignored and
// text without a number reads as 0. A number too small for a double reads as 0 (or its
// subnormal); only a number beyond the range of a double gives nullopt.
std::optional<double> readEntry(std::string_view text);

}  // namespace kemi
