// Messages, formats and delivery shared by the lab's commands.
#include "cli/command_support.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <cstdio>
#include <utility>
#include <vector>

#include "cli/lab_problem.h"
#include "cli/sweep_watch.h"
#include "study/system_methods.h"

namespace kemi::cli {

void tell(const char* command, const std::string& line) {
  std::fprintf(stderr, "kemi-lab %s: %s\n", command, line.c_str());
}

std::string formatted(const study::TextTable& table, TextFormat format,
                      const study::Problem& problem) {
  return format == TextFormat::Csv ? study::toCsv(table)
                                   : markdownTitle(problem) + study::toMarkdown(table);
}

QString readChartPath(const QCommandLineParser& parser) {
  const QString name = QString::fromLatin1(kChart.name);
  if (!parser.isSet(name)) return {};
  QString path = parser.value(name);
  if (!path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) &&
      !path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
    throw UsageError("--chart " + quotedValue(path) +
                     ": not an .svg or .png name; --chart accepts " + kChart.accepts);
  return path;
}

// The seven keep their ids among the nine, so one list of ids serves an equation and a system.
std::string sweepEndNotes(const char* command, const std::vector<study::MethodEnd>& ends) {
  std::string notes;
  for (const study::MethodEnd& end : ends) {
    const std::string id(study::systemMethodId(end.method));
    const std::string where =
        end.lastN == 0 ? id + " has no row" : id + " stops after N = " + std::to_string(end.lastN);
    if (!end.cause.empty()) {
      tell(command, where + ": " + end.cause);
      notes += "- " + where + ": " + end.cause + "\n";
    } else if (end.roundingFloor) {
      notes += "- " + where +
               ": three doublings in a row did not improve on its smallest error (the rounding "
               "floor)\n";
    }
  }
  return notes;
}

std::string referenceNote(double accuracy) {
  return "- errors are against a reference solution (Boost.Odeint, Runge-Kutta-Fehlberg 7(8)) "
         "accurate to within " +
         study::shortestText(accuracy) +
         "; rows within 10 times that are not resolved and get no order\n";
}

void noteStepsStop(std::string& text, TextFormat format, std::size_t method, std::int64_t lastStep,
                   const std::string& cause) {
  if (cause.empty()) return;
  const std::string note = std::string(study::systemMethodId(method)) + " stops after step " +
                           std::to_string(lastStep) + ": " + cause;
  tell("steps", note);
  if (format == TextFormat::Markdown) text += "\n- " + note + "\n";
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
