// The three commands: read their options, compute through the study library and hand the table
// to the output. A sweep runs under a SweepWatch, so Ctrl+C stops it and drops the output.
#include "lab_commands.h"

#include <QCommandLineParser>
#include <array>
#include <cstdio>
#include <functional>
#include <stop_token>

#include "chart_file.h"
#include "convergence.h"
#include "lab_output.h"
#include "method_table.h"
#include "stability.h"
#include "step_table.h"
#include "sweep_watch.h"
#include "text_table.h"

namespace kemi::lab {
namespace {

constexpr OptionSpec kFormat{"format", "FORMAT", "csv (the default) or md for a Markdown table",
                             "csv or md"};
constexpr OptionSpec kOutput{
    "output", "FILE",
    "write the table to FILE instead of standard output; FILE is replaced whole or not at all",
    "a file name"};
constexpr OptionSpec kMethodList{"methods", "LIST",
                                 "method ids separated by commas (default: all seven)",
                                 "method ids separated by commas, of", true};

constexpr OptionSpec kSweepX1{"x1", "X", "target abscissa, a number other than 0 (default 1)",
                              "a finite number other than 0, such as 1 or 2.5e-1"};
constexpr OptionSpec kMaxN{
    "max-n", "N",
    "largest N: rows for N = 1, 2, 4, ... up to N (default 16777216 = 2^24, at most 2147483646)",
    "a whole number from 1 to 2147483646"};
constexpr OptionSpec kChart{"chart", "FILE",
                            "also draw the window's chart into FILE, an .svg or .png image",
                            "a file name ending in .svg or .png"};
constexpr std::array kConvergenceOptions{kSweepX1, kMaxN, kMethodList, kFormat, kOutput, kChart};

constexpr OptionSpec kStepMethod{"method", "M", "the method (required)", "one method id of", true};
constexpr OptionSpec kStepX1{"x1", "X", "target abscissa, a number other than 0 (default 0.4)",
                             "a finite number other than 0, such as 0.4 or -1e-2"};
constexpr OptionSpec kStepN{"n", "N", "number of steps, 1 to 100000 (default 4)",
                            "a whole number from 1 to 100000"};
constexpr std::array kStepsOptions{kStepMethod, kStepX1, kStepN, kFormat, kOutput};

constexpr OptionSpec kView{"view", "VIEW",
                           "what --chart draws: regions (the default), the stability regions in "
                           "the complex plane, or real, |R(-h)| against h on the real axis",
                           "regions or real"};
constexpr std::array kStabilityOptions{kMethodList, kFormat, kOutput, kChart, kView};

void tell(const char* command, const std::string& line) {
  std::fprintf(stderr, "kemi-lab %s: %s\n", command, line.c_str());
}

std::string methodId(std::size_t method) {
  return std::string(kMethods[method].id);
}

std::string formatted(const study::TextTable& table, TextFormat format) {
  return format == TextFormat::Csv ? study::toCsv(table) : study::toMarkdown(table);
}

// Writes `text` unless an interrupt came first; the exit status.
int deliver(const char* command, LabOutput& output, const std::string& text) {
  if (const int signal = interruptSignal(); signal != 0) return 128 + signal;
  if (const std::optional<std::string> cause = output.commit(text)) {
    tell(command, *cause);
    return 1;
  }
  return 0;
}

// The --chart file, empty when the option is absent.
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

// Draws the chart after the table was written; the exit status.
int drawChart(const char* command, int status, const QString& path,
              const std::function<bool(QString&)>& draw) {
  if (status != 0 || path.isEmpty()) return status;
  QString error;
  if (draw(error)) return 0;
  tell(command, error.toStdString());
  return 1;
}

std::string header(const study::TextTable& table) {
  std::string line;
  for (const std::string& column : table.header) line += (line.empty() ? "" : ",") + column;
  return line;
}

int convergence(const QCommandLineParser& parser) {
  study::ConvergenceSettings settings;
  settings.x1 = readAbscissa(parser, kSweepX1, settings.x1);
  settings.maxN = readSteps(parser, kMaxN, settings.maxN, study::kMaxSteps);
  settings.methods = readMethods(parser, kMethodList);
  const TextFormat format = readFormat(parser, kFormat);
  const QString chart = readChartPath(parser);
  LabOutput output(readOutputPath(parser, kOutput));
  if (const std::optional<std::string> cause = output.open()) {
    tell("convergence", *cause);
    return 1;
  }

  std::stop_source stop;
  study::ConvergenceResult result;
  {
    SweepWatch watch(stop, "kemi-lab convergence");
    study::SweepCallbacks callbacks;
    callbacks.progress = [&watch](double share) { watch.setProgress(share); };
    result = study::runConvergence(settings, stop.get_token(), callbacks);
  }
  if (result.cancelled) return 128 + interruptSignal();

  std::string notes;
  for (const study::MethodEnd& end : result.ends) {
    const std::string where =
        end.lastN == 0 ? methodId(end.method) + " has no row"
                       : methodId(end.method) + " stops after N = " + std::to_string(end.lastN);
    if (!end.cause.empty()) {
      tell("convergence", where + ": " + end.cause);
      notes += "- " + where + ": " + end.cause + "\n";
    } else if (end.roundingFloor) {
      notes += "- " + where +
               ": three doublings in a row did not improve on its smallest error (the rounding "
               "floor)\n";
    }
  }
  std::string text = formatted(study::convergenceText(result.rows), format);
  if (format == TextFormat::Markdown && !notes.empty()) text += "\n" + notes;
  return drawChart("convergence", deliver("convergence", output, text), chart, [&](QString& error) {
    return writeConvergenceChart(result.rows, chart, error);
  });
}

int steps(const QCommandLineParser& parser) {
  const std::size_t method = readMethod(parser, kStepMethod);
  const double x1 = readAbscissa(parser, kStepX1, 0.4);
  const std::int64_t n = readSteps(parser, kStepN, 4, study::kMaxTableSteps);
  const TextFormat format = readFormat(parser, kFormat);
  LabOutput output(readOutputPath(parser, kOutput));
  if (const std::optional<std::string> cause = output.open()) {
    tell("steps", *cause);
    return 1;
  }
  const study::StepTable table = study::buildStepTable(method, x1, n);
  std::string text = formatted(study::stepText(table), format);
  if (!table.cause.empty()) {
    const std::string note = methodId(method) + " stops after step " +
                             std::to_string(table.rows.back().i) + ": " + table.cause;
    tell("steps", note);
    if (format == TextFormat::Markdown) text += "\n- " + note + "\n";
  }
  return deliver("steps", output, text);
}

int stability(const QCommandLineParser& parser) {
  const std::vector<std::size_t> methods = readMethods(parser, kMethodList);
  const TextFormat format = readFormat(parser, kFormat);
  const QString chart = readChartPath(parser);
  const StabilityView view = readStabilityView(parser, kView);
  LabOutput output(readOutputPath(parser, kOutput));
  if (const std::optional<std::string> cause = output.open()) {
    tell("stability", *cause);
    return 1;
  }
  const int status = deliver(
      "stability", output, formatted(study::stabilityText(study::stabilityRows(methods)), format));
  return drawChart("stability", status, chart, [&](QString& error) {
    return view == StabilityView::Regions ? writeStabilityRegions(methods, chart, error)
                                          : writeStabilityChart(methods, chart, error);
  });
}

constexpr std::array kCommands{
    LabCommand{
        "convergence",
        "the error at x1 as N doubles, with the observed order and the evaluations of f",
        "The error at x1 of each method for N = 1, 2, 4, ... steps from (0, -1) up to the "
        "largest N, with the observed order log2(|e(N/2)| / |e(N)|) and the evaluations of f "
        "it took. A method stops early once three doublings in a row have not improved on its "
        "smallest error (the rounding floor), or when a step leaves the range of a double, "
        "which standard error then says. The work is spread over all cores; on a terminal a "
        "sweep that takes more than a second shows its progress on standard error.",
        kConvergenceOptions,
        [] { return header(study::convergenceText({})); },
        &convergence,
    },
    LabCommand{
        "steps",
        "every step of one method, with its stages k1..k6 and its global and local error",
        "Every step of one method from (0, -1) to x1: x, y, the exact value, the global error, "
        "the local error (the exact value minus one step of the method taken from the exact "
        "value at the step's start) and the stages k1..k6 of the step, empty where the method "
        "has fewer. Row 0 is the initial point.",
        kStepsOptions,
        [] { return header(study::stepText({})); },
        &steps,
    },
    LabCommand{
        "stability",
        "each method's order, evaluations of f per step and stability limit",
        "Each method's order, its evaluations of f per step and its stability limit on this "
        "equation: one step maps y to R(-h) y plus a part that does not depend on y, and the "
        "limit is the largest h0 with |R(-h)| <= 1 for every step size 0 < h <= h0.",
        kStabilityOptions,
        [] { return header(study::stabilityText({})); },
        &stability,
    },
};

}  // namespace

std::span<const LabCommand> labCommands() {
  return kCommands;
}

}  // namespace kemi::lab
