// convergence, steps, stability and compare on a system: the same commands, two columns where
// one equation has one. The one-equation commands hand over here when isSystemRequest says so.
#pragma once

#include "cli/lab_options.h"

class QCommandLineParser;

namespace kemi::cli {

// Each takes the specs of the options its one-equation command reads.
int systemConvergence(const QCommandLineParser& parser, const OptionSpec& x1,
                      const OptionSpec& maxN);
int systemSteps(const QCommandLineParser& parser, const OptionSpec& x1, const OptionSpec& method,
                const OptionSpec& n);
int systemStability(const QCommandLineParser& parser, const OptionSpec& x1);
int systemCompare(const QCommandLineParser& parser);

}  // namespace kemi::cli
