// Reading a system from the command line: a preset system (--equation oscillator), two typed
// right-hand sides (--f "y2; -y1") or a typed second-order equation (--f2 "-sin(y)"), with
// --y0 "A; B", --exact "E1; E2" and --invariant. One equation's options keep their meaning.
#pragma once

#include <string>
#include <vector>

#include "cli/lab_options.h"
#include "study/system.h"

namespace kemi::cli {

inline constexpr OptionSpec kF2Option{
    "f2", "EXPR",
    "a typed second-order equation y'' = g(x, y, v) with v = y', such as '-sin(y)' (needs "
    "--y0 'y(x0); v(x0)')",
    "an expression in x, y and v"};
inline constexpr OptionSpec kInvariantOption{
    "invariant", "EXPR",
    "a quantity a typed system keeps, in y1 and y2 (or y and v), such as 'y1^2 + y2^2'; its "
    "drift is tracked",
    "an expression in y1 and y2, or y and v"};

inline constexpr OptionSpec kSystemViewOption{
    "view", "VIEW",
    "what compare --chart draws for a system: phase (the default; y2 against y1 with the "
    "vector field), components (y1 and y2 against x) or invariant (its relative drift, log "
    "scale)",
    "phase, components or invariant"};

// Whether the options name a system: --f2, --invariant, a preset system, or ';' in --f or --y0.
bool isSystemRequest(const QCommandLineParser& parser);

// The system from the options, as readProblem reads one equation. Throws UsageError.
study::SystemProblem readSystemProblem(const QCommandLineParser& parser, const OptionSpec& x1Option,
                                       double fallbackX1);

// The methods of --methods among the nine; without it the seven and, where they apply, the
// two symplectic ones. Throws UsageError, also for a method that does not apply.
std::vector<std::size_t> readSystemMethods(const QCommandLineParser& parser,
                                           const OptionSpec& option,
                                           const study::SystemProblem& problem);
std::size_t readSystemMethod(const QCommandLineParser& parser, const OptionSpec& option,
                             const study::SystemProblem& problem);

// The line that names the system above a Markdown table, with its blank line.
std::string systemMarkdownTitle(const study::SystemProblem& problem);

}  // namespace kemi::cli
