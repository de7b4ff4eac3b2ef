// The commands about equations: compare (every method's points at one N beside the solution)
// and equations (the presets).
#pragma once

#include <array>
#include <string>

#include "cli/command_support.h"
#include "cli/lab_problem.h"
#include "cli/system_problem.h"

class QCommandLineParser;

namespace kemi::cli {

inline constexpr OptionSpec kCompareN{"n", "N", "number of steps, 1 to 1000000 (default 8)",
                                      "a whole number from 1 to 1000000"};
inline constexpr OptionSpec kCompareX1{
    "x1", "X", "target abscissa, other than x0 (default 1, or the preset's suggested x1)",
    "a finite number other than x0, such as 1 or 2.5e-1"};
inline constexpr OptionSpec kCompareChart{
    "chart", "FILE", "also draw the Solution picture into FILE, an .svg or .png image",
    "a file name ending in .svg or .png"};
inline constexpr std::array kCompareOptions{
    kEquationOption, kFOption,   kX0Option,        kY0Option,        kExactOption,
    kCompareN,       kCompareX1, kMethodList,      kFormat,          kOutput,
    kCompareChart,   kF2Option,  kInvariantOption, kSystemViewOption};
inline constexpr std::array kEquationsOptions{kFormat, kOutput};

int compare(const QCommandLineParser& parser);
int equations(const QCommandLineParser& parser);
// compare's CSV header with all seven methods.
std::string compareColumns();

}  // namespace kemi::cli
