// What the lab's commands share: their common options, one-line messages on standard error, the
// table in the chosen format and its delivery to the output.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/lab_options.h"
#include "cli/lab_output.h"
#include "study/convergence.h"
#include "study/problem.h"
#include "study/text_table.h"

class QCommandLineParser;

namespace kemi::cli {

inline constexpr OptionSpec kFormat{"format", "FORMAT",
                                    "csv (the default) or md for a Markdown table", "csv or md"};
inline constexpr OptionSpec kOutput{
    "output", "FILE",
    "write the table to FILE instead of standard output; a file is replaced whole or not at all, "
    "a device or pipe is written in place",
    "a file name"};
inline constexpr OptionSpec kMethodList{"methods", "LIST",
                                        "method ids separated by commas (default: all seven)",
                                        "method ids separated by commas, of", true};
inline constexpr OptionSpec kChart{"chart", "FILE",
                                   "also draw the window's chart into FILE, an .svg or .png image",
                                   "a file name ending in .svg or .png"};

// "kemi-lab COMMAND: line" on standard error.
void tell(const char* command, const std::string& line);

// The table as CSV, or as Markdown under the line that names the problem.
std::string formatted(const study::TextTable& table, TextFormat format,
                      const study::Problem& problem);

// The --chart file, empty when the option is absent; a name without .svg or .png is refused.
QString readChartPath(const QCommandLineParser& parser);

// The Markdown notes on how a sweep's methods ended (each early stop also told on standard
// error), and on the reference solution when there is one.
std::string sweepEndNotes(const char* command, const std::vector<study::MethodEnd>& ends);
std::string referenceNote(double accuracy);

// "M stops after step i: cause" for a step table that ends early (`cause` not empty): told on
// standard error and, in Markdown, added under the table in `text`.
void noteStepsStop(std::string& text, TextFormat format, std::size_t method, std::int64_t lastStep,
                   const std::string& cause);

// A command's table output and, with --chart, its chart output, opened before the computation
// so that a name that cannot be written is refused before a long sweep.
struct Outputs {
  LabOutput table;
  QString chartPath;
  std::unique_ptr<LabOutput> chart;

  Outputs(QString tablePath, QString chartFile);
  std::optional<std::string> open();
};

// Opens both outputs; 0, or 1 after telling why one cannot be written.
int openOutputs(const char* command, Outputs& outputs);

// Writes the table and, with --chart, the chart drawn by `draw`: both or neither, unless an
// interrupt came first; the exit status.
int deliver(const char* command, Outputs& outputs, const std::string& text,
            const std::function<bool(QByteArray&, QString&)>& draw = {});

// The CSV header line, for a command's help.
std::string header(const study::TextTable& table);

}  // namespace kemi::cli
