// Messages, formats and delivery shared by the lab's commands.
#include "command_support.h"

#include <cstdio>

#include "lab_problem.h"
#include "sweep_watch.h"

namespace kemi::lab {

void tell(const char* command, const std::string& line) {
  std::fprintf(stderr, "kemi-lab %s: %s\n", command, line.c_str());
}

std::string formatted(const study::TextTable& table, TextFormat format,
                      const study::Problem& problem) {
  return format == TextFormat::Csv ? study::toCsv(table)
                                   : markdownTitle(problem) + study::toMarkdown(table);
}

int deliver(const char* command, LabOutput& output, const std::string& text) {
  if (const int signal = interruptSignal(); signal != 0) return 128 + signal;
  if (const std::optional<std::string> cause = output.commit(text)) {
    tell(command, *cause);
    return 1;
  }
  return 0;
}

std::string header(const study::TextTable& table) {
  std::string line;
  for (const std::string& column : table.header) line += (line.empty() ? "" : ",") + column;
  return line;
}

}  // namespace kemi::lab
