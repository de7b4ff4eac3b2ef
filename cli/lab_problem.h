// The options that choose what a command studies: a preset (--equation) or a typed equation
// (--f, --x0, --y0, --exact), and its end --x1. Without them a command studies classroom from
// (0, -1), as it always did.
#pragma once

#include <algorithm>
#include <array>
#include <string>

#include "cli/lab_options.h"
#include "study/problem.h"

namespace kemi::cli {

inline constexpr OptionSpec kEquationOption{
    "equation", "ID", "a preset equation (kemi-lab equations lists them; default classroom)",
    "a preset id:"};
inline constexpr OptionSpec kFOption{
    "f", "EXPR", "a typed right-hand side f(x, y), such as '-2*x - y' (needs --y0)",
    "an expression in x and y"};
inline constexpr OptionSpec kX0Option{"x0", "X", "start abscissa (default 0, or the preset's)",
                                      "a finite number"};
inline constexpr OptionSpec kY0Option{"y0", "Y", "start ordinate (required with --f)",
                                      "a finite number"};
inline constexpr OptionSpec kExactOption{
    "exact", "EXPR",
    "the exact solution y(x) through the start of a typed f, checked before use (a typed "
    "'-2*x - y' from (0, -1) steps bit for bit as classroom does; a typed exact solution "
    "evaluated in another order than classroom's may differ from it in the last bits)",
    "an expression in x"};
inline constexpr std::array kProblemOptions{kEquationOption, kFOption, kX0Option, kY0Option,
                                            kExactOption};

// A command's option list: the problem options, then its own.
template <std::size_t N>
constexpr std::array<OptionSpec, kProblemOptions.size() + N> withProblemOptions(
    const std::array<OptionSpec, N>& own) {
  std::array<OptionSpec, kProblemOptions.size() + N> all{};
  std::copy(kProblemOptions.begin(), kProblemOptions.end(), all.begin());
  std::copy(own.begin(), own.end(), all.begin() + kProblemOptions.size());
  return all;
}

// The problem from the options, x1 read from `x1Option`. Without --x1, x1 is `fallbackX1` for
// classroom without options, the preset's suggested x1 for --equation, and x0 + fallbackX1 for
// a typed equation. Throws UsageError with one line that names the option.
study::Problem readProblem(const QCommandLineParser& parser, const OptionSpec& x1Option,
                           double fallbackX1);

// The line that names the problem above a Markdown table, with its blank line.
std::string markdownTitle(const study::Problem& problem);

}  // namespace kemi::cli
