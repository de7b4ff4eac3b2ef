// The words a screen reader gives for the plot area: which curves a run drew and over which
// values, since the drawing itself says nothing to a student who cannot see it.
#pragma once

#include <string>
#include <string_view>

namespace kemi {

class Calculation;

// One sentence for the plot of a finished run whose tables were drawn: the curves with their
// colours, then the range of the abscissae and of the ordinates drawn, in the four-decimal
// numbers of the results list ("Exact solution in black and Euler Method in red, x from 0.0000
// to 0.4000, y from -1.0000 to -0.6000.").
std::string plotDescription(const Calculation& calc, std::string_view methodName);

}  // namespace kemi
