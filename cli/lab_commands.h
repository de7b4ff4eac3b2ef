// The lab's commands: their names, help texts, options and what each one runs once its options
// are parsed.
#pragma once

#include <span>
#include <string>

#include "lab_options.h"

class QCommandLineParser;

namespace kemi::lab {

struct LabCommand {
  const char* name;
  const char* summary;      // its line in the program's help
  const char* description;  // the paragraph of its own help
  std::span<const OptionSpec> options;
  std::string (*columns)();  // the CSV header line, for the help
  // Reads the option values (throwing UsageError), computes and writes the table; returns the
  // exit status.
  int (*run)(const QCommandLineParser& parser);
};

// convergence, steps, adaptive, stability, compare and equations, in the order the help lists
// them.
std::span<const LabCommand> labCommands();

}  // namespace kemi::lab
