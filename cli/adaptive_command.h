// kemi-lab adaptive: one method under the step-size controller, every attempt a row, or with
// --sweep the tolerance sweep of the chosen methods.
#pragma once

#include <string>

class QCommandLineParser;

namespace kemi::cli {

int adaptive(const QCommandLineParser& parser);
// The run's CSV header, for the help.
std::string adaptiveColumns();

}  // namespace kemi::cli
