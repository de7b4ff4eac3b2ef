// The number texts of the report lines and of the step size, always with '.' as decimal point.
#pragma once

#include <string>

namespace kemi {

// A fixed number of decimals, at least one digit before the point, "-" exactly for values below
// zero, also when they round to zero ("-0.0000"); -0.0 prints without a sign.
std::string formatFixed(double value, int decimals);

// The report's abscissa: four decimals ("0.4000").
std::string formatF4(double value);

// The report's ordinate: eight decimals followed by three blanks ("-0.60000000   ").
std::string formatF8(double value);

// The step size: at most 15 significant digits, no trailing zeros ("0.133333333333333");
// exponent notation for very large or very small values. Zero and -0.0 print as "0".
std::string formatGeneral(double value);

}  // namespace kemi
