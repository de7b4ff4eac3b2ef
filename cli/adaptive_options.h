// The options and help texts of kemi-lab adaptive, with the controller's rule in words.
#pragma once

#include <array>

#include "cli/command_support.h"
#include "cli/lab_problem.h"

namespace kemi::cli {

inline constexpr OptionSpec kAdaptiveMethod{"method", "M", "the method (required without --sweep)",
                                            "one method id of", true};
inline constexpr OptionSpec kAdaptiveTol{"tol", "T",
                                         "absolute and relative tolerance (default 1e-6)",
                                         "a number from 1e-14 up, such as 1e-6"};
inline constexpr OptionSpec kAdaptiveAtol{"atol", "A", "absolute tolerance (default --tol)",
                                          "a number from 1e-14 up, such as 1e-8"};
inline constexpr OptionSpec kAdaptiveRtol{"rtol", "R", "relative tolerance (default --tol)",
                                          "a number from 1e-14 up, such as 1e-6"};
inline constexpr OptionSpec kAdaptiveH0{"h0", "H", "the first step size (default (x1 - x0) / 100)",
                                        "a finite number other than 0 with the sign of x1 - x0"};
inline constexpr OptionSpec kAdaptiveX1{
    "x1", "X", "end of the run, other than x0 (default 1, or the preset's suggested x1)",
    "a finite number other than x0, such as 1 or 2.5e-1"};
inline constexpr OptionSpec kAdaptiveSweep{
    "sweep", nullptr,
    "run tol = 1e-1, 1e-2, ..., 1e-12 for each of --methods instead: "
    "method,tol,error,evaluations,steps,rejected",
    ""};
inline constexpr OptionSpec kAdaptiveChart{
    "chart", "FILE",
    "also draw the solution with accepted and rejected attempts and h against x into FILE, an "
    ".svg or .png image",
    "a file name ending in .svg or .png"};
inline constexpr auto kAdaptiveOptions = withProblemOptions(
    std::array{kAdaptiveMethod, kAdaptiveTol, kAdaptiveAtol, kAdaptiveRtol, kAdaptiveH0,
               kAdaptiveX1, kAdaptiveSweep, kMethodList, kFormat, kOutput, kAdaptiveChart});

inline constexpr const char* kAdaptiveSummary =
    "one method with step-size control: every attempt with its estimate and true local error";
inline constexpr const char* kAdaptiveDescription =
    "One method from the start (x0, y0) to x1 with its step size controlled by its own error "
    "estimate: RKF and RKM take it from their embedded pairs (Fehlberg 4(5), Merson) without "
    "further evaluations of f; the other methods by step doubling (two half steps against one "
    "full step, the difference over 2^p - 1), advancing with the two half steps, each attempt "
    "costing three steps. The controller: err = max |estimate| / (atol + rtol * max(|y|, "
    "|y_new|)); an attempt is accepted when err <= 1; the next h = h * min(5, max(0.2, 0.9 * "
    "err^(-1/5))) for RKF and RKM, err^(-1/(p+1)) for step doubling, the factor 5 when err is "
    "0 and at most 1 right after a rejection; an attempt that would pass x1 is cut to end on "
    "it. The run stops when h falls below 1e-12 * max(1, |x|), after 1000000 attempts, or "
    "when y leaves the range of a double: the rows so far are written, standard error says "
    "why and the exit status is 1. Each row is one attempt: x its start, h, y its result at x "
    "+ h, the estimate, local_error (the solution through the attempt's start minus y), "
    "accepted, and error, the global error after an accepted attempt. In Markdown a summary "
    "follows: accepted, rejected, evaluations of f, the error at x1, and whether h |df/dy| "
    "stayed within 20 % of the method's stability limit for ten accepted steps in a row (the "
    "step size then is held by stability, not by accuracy).";

}  // namespace kemi::cli
