// The lab's commands: their names, help texts, options and what each one runs once its options
// are parsed.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "cli/lab_options.h"
#include "study/convergence.h"

class QCommandLineParser;

namespace kemi::cli {

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

// The two charts drawn with Qt Charts, which only the window's library holds: the program hands
// them in, so the command line itself links no widgets. Each renders for the path's suffix into
// `bytes`, or returns false with the reason in `error`.
struct ChartDrawers {
  std::function<bool(const std::vector<study::ConvergenceRow>&, const QString&, QByteArray&,
                     QString&)>
      convergence;
  std::function<bool(const std::vector<std::size_t>&, const QString&, QByteArray&, QString&)>
      realAxis;  // |R(-h)| against h
};
void setChartDrawers(ChartDrawers drawers);

// convergence, steps, adaptive, stability, compare and equations, in the order the help lists
// them.
std::span<const LabCommand> labCommands();

}  // namespace kemi::cli
