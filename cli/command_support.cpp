// Messages, formats and delivery shared by the lab's commands.
#include "cli/command_support.h"

#include <QByteArray>
#include <cstdio>
#include <utility>
#include <vector>

#include "cli/lab_problem.h"
#include "cli/sweep_watch.h"

namespace kemi::cli {

void tell(const char* command, const std::string& line) {
  std::fprintf(stderr, "kemi-lab %s: %s\n", command, line.c_str());
}

std::string formatted(const study::TextTable& table, TextFormat format,
                      const study::Problem& problem) {
  return format == TextFormat::Csv ? study::toCsv(table)
                                   : markdownTitle(problem) + study::toMarkdown(table);
}

Outputs::Outputs(QString tablePath, QString chartFile)
    : table(std::move(tablePath)), chartPath(std::move(chartFile)) {
  if (!chartPath.isEmpty()) chart = std::make_unique<LabOutput>(chartPath);
}

std::optional<std::string> Outputs::open() {
  if (auto cause = table.open()) return cause;
  return chart ? chart->open() : std::nullopt;
}

int openOutputs(const char* command, Outputs& outputs) {
  if (const std::optional<std::string> cause = outputs.open()) {
    tell(command, *cause);
    return 1;
  }
  return 0;
}

int deliver(const char* command, Outputs& outputs, const std::string& text,
            const std::function<bool(QByteArray&, QString&)>& draw) {
  if (const int signal = interruptSignal(); signal != 0) return 128 + signal;
  std::vector<LabOutput*> targets{&outputs.table};
  std::vector<std::string> texts{text};
  if (outputs.chart) {
    QByteArray bytes;
    QString error;
    if (!draw(bytes, error)) {
      tell(command, error.toStdString());
      return 1;
    }
    targets.push_back(outputs.chart.get());
    texts.push_back(bytes.toStdString());
  }
  if (const std::optional<std::string> cause = deliverAll(targets, texts)) {
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

}  // namespace kemi::cli
