// A second, deliberately plain reading of an entry text, for checking the entry reader against:
// no exponent bookkeeping of its own, the C library's strtod does all the converting.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kemi::fuzz {

// The longest leading decimal number of `text` once blanks, tabs and line feeds are taken out
// (optional sign, digits with at most one '.', optional exponent with at least one digit); empty
// when the text starts with no number.
std::string leadingNumberText(std::string_view text);

// The value of the entry: 0 without a leading number, strtod's value in the "C" locale otherwise
// (an underflow is the value strtod gives), nullopt when strtod reports an overflow.
std::optional<double> simpleReading(std::string_view text);

}  // namespace kemi::fuzz
