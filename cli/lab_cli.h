// The command line of Kemi Lab: `kemi-lab convergence|steps|stability [OPTION]...`, --help and
// --version.
#pragma once

#include <QtCore/qcontainerfwd.h>

namespace kemi::cli {

// Runs the command that `arguments` (the program's name first) names and returns the exit
// status: 0 when the table was written, 1 when the output could not be written, 2 when the
// command line is refused (one line on stderr says why), 128 + the signal number when SIGINT or
// SIGTERM stopped it (then nothing is written). Without a command it prints the help.
int runCommandLine(const QStringList& arguments);

}  // namespace kemi::cli
