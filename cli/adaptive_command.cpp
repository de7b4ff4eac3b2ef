// kemi-lab adaptive: read the options, run through the study library, write the rows with the
// summary, and draw the picture for --chart.
#include "cli/adaptive_command.h"

#include <QCommandLineParser>
#include <array>
#include <cmath>
#include <span>
#include <stop_token>

#include "cli/adaptive_options.h"
#include "cli/command_support.h"
#include "cli/lab_problem.h"
#include "cli/sweep_watch.h"
#include "core/method_table.h"
#include "figures/adaptive_chart.h"
#include "study/adaptive_text.h"
#include "study/study_input.h"

namespace kemi::cli {
namespace {

[[noreturn]] void refuse(const OptionSpec& option, const QString& text, const std::string& why) {
  throw UsageError("--" + std::string(option.name) + " " + quotedValue(text) + ": " + why + "; --" +
                   option.name + " accepts " + option.accepts);
}

double readNumberOption(const QCommandLineParser& parser, const OptionSpec& option,
                        double fallback) {
  const QString name = QString::fromLatin1(option.name);
  if (!parser.isSet(name)) return fallback;
  const QString text = parser.value(name);
  const std::optional<double> value = study::readNumber(text.toStdString());
  if (!value || !std::isfinite(*value)) refuse(option, text, "not a finite number");
  return *value;
}

double readTolerance(const QCommandLineParser& parser, const OptionSpec& option, double fallback) {
  const double value = readNumberOption(parser, option, fallback);
  if (!(value >= study::kSmallestTolerance))
    refuse(option, parser.value(QString::fromLatin1(option.name)),
           value <= 0.0 ? "not a positive number" : "below 1e-14");
  return value;
}

QString readChart(const QCommandLineParser& parser) {
  const QString name = QString::fromLatin1(kAdaptiveChart.name);
  if (!parser.isSet(name)) return {};
  QString path = parser.value(name);
  if (!path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) &&
      !path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
    refuse(kAdaptiveChart, path, "not an .svg or .png name");
  return path;
}

int sweep(const QCommandLineParser& parser, const study::Problem& problem, TextFormat format) {
  const std::vector<std::size_t> methods = readMethods(parser, kMethodList);
  Outputs outputs(readOutputPath(parser, kOutput), {});
  if (openOutputs("adaptive", outputs) != 0) return 1;
  std::stop_source stop;
  study::AdaptiveSweep result;
  {
    SweepWatch watch(stop, "kemi-lab adaptive");
    result = study::adaptiveSweep(problem, methods, stop.get_token(),
                                  [&watch](double share) { watch.setProgress(share); });
  }
  if (result.cancelled) return 128 + interruptSignal();
  std::string notes;
  for (const study::AdaptiveSweepRow& r : result.rows) {
    if (r.cause.empty()) continue;
    const std::string note = std::string(kMethods[r.method].id) + " at tol " +
                             study::shortestText(r.tol) + ": " + r.cause;
    tell("adaptive", note);
    notes += "- " + note + "\n";
  }
  std::string text = formatted(study::adaptiveSweepText(result), format, problem);
  if (format == TextFormat::Markdown && !notes.empty()) text += "\n" + notes;
  return deliver("adaptive", outputs, text);
}

}  // namespace

std::string adaptiveColumns() {
  return header(study::adaptiveText({}));
}

int adaptive(const QCommandLineParser& parser) {
  const study::Problem problem = readProblem(parser, kAdaptiveX1, 1.0);
  const TextFormat format = readFormat(parser, kFormat);
  const double tol = readTolerance(parser, kAdaptiveTol, 1e-6);
  study::AdaptiveSettings settings;
  settings.atol = readTolerance(parser, kAdaptiveAtol, tol);
  settings.rtol = readTolerance(parser, kAdaptiveRtol, tol);
  if (parser.isSet(QString::fromLatin1(kAdaptiveSweep.name))) return sweep(parser, problem, format);
  settings.method = readMethod(parser, kAdaptiveMethod);
  if (parser.isSet(QString::fromLatin1(kAdaptiveH0.name))) {
    settings.h0 = readNumberOption(parser, kAdaptiveH0, 0.0);
    if (*settings.h0 == 0.0 || *settings.h0 * (problem.x1 - problem.x0) < 0.0)
      refuse(kAdaptiveH0, parser.value(QString::fromLatin1(kAdaptiveH0.name)),
             *settings.h0 == 0.0 ? "zero" : "of the wrong sign");
  }
  study::checkAdaptive(problem, settings);
  Outputs outputs(readOutputPath(parser, kOutput), readChart(parser));
  if (openOutputs("adaptive", outputs) != 0) return 1;
  std::stop_source stop;
  study::AdaptiveResult result;
  {
    SweepWatch watch(stop, "kemi-lab adaptive");
    result = study::runAdaptive(problem, settings, stop.get_token());
  }
  if (result.end == study::AdaptiveEnd::Cancelled) return 128 + interruptSignal();
  std::string text = formatted(study::adaptiveText(result), format, problem);
  if (format == TextFormat::Markdown)
    text += "\n" + study::adaptiveSummary(result, settings.method);
  const int status = deliver("adaptive", outputs, text, [&](QByteArray& bytes, QString& error) {
    return lab::drawAdaptiveChart({problem, settings.method, result}, outputs.chartPath, bytes,
                                  error);
  });
  if (status != 0) return status;
  if (result.end == study::AdaptiveEnd::Reached) return 0;
  tell("adaptive", result.cause);
  return 1;
}

}  // namespace kemi::cli
