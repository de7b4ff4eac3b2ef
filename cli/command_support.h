// What the lab's commands share: their common options, one-line messages on standard error, the
// table in the chosen format and its delivery to the output.
#pragma once

#include <string>

#include "lab_options.h"
#include "lab_output.h"
#include "problem.h"
#include "text_table.h"

namespace kemi::lab {

inline constexpr OptionSpec kFormat{"format", "FORMAT",
                                    "csv (the default) or md for a Markdown table", "csv or md"};
inline constexpr OptionSpec kOutput{
    "output", "FILE",
    "write the table to FILE instead of standard output; FILE is replaced whole or not at all",
    "a file name"};
inline constexpr OptionSpec kMethodList{"methods", "LIST",
                                        "method ids separated by commas (default: all seven)",
                                        "method ids separated by commas, of", true};

// "kemi-lab COMMAND: line" on standard error.
void tell(const char* command, const std::string& line);

// The table as CSV, or as Markdown under the line that names the problem.
std::string formatted(const study::TextTable& table, TextFormat format,
                      const study::Problem& problem);

// Writes `text` unless an interrupt came first; the exit status.
int deliver(const char* command, LabOutput& output, const std::string& text);

// The CSV header line, for a command's help.
std::string header(const study::TextTable& table);

}  // namespace kemi::lab
