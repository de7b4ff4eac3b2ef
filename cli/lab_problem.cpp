// Reading the equation options into a problem, refusing in one line what cannot be studied.
#include "cli/lab_problem.h"

#include <QCommandLineParser>
#include <cmath>

#include "study/study_input.h"
#include "study/text_table.h"

namespace kemi::cli {
namespace {

bool isSet(const QCommandLineParser& parser, const OptionSpec& option) {
  return parser.isSet(QString::fromLatin1(option.name));
}

std::string dashed(const OptionSpec& option) {
  return "--" + std::string(option.name);
}

QString valueOf(const QCommandLineParser& parser, const OptionSpec& option) {
  return parser.value(QString::fromLatin1(option.name));
}

double readFinite(const QCommandLineParser& parser, const OptionSpec& option, double fallback) {
  if (!isSet(parser, option)) return fallback;
  const QString text = valueOf(parser, option);
  const std::optional<double> value = study::readNumber(text.toStdString());
  if (!value || !std::isfinite(*value))
    throw UsageError(dashed(option) + " " + quotedValue(text) + ": not a finite number; " +
                     dashed(option) + " accepts " + option.accepts + ", such as 0 or -1.5e-1");
  return *value;
}

study::AnyEquation readPreset(const QCommandLineParser& parser) {
  const QString text = valueOf(parser, kEquationOption);
  if (std::optional<study::AnyEquation> preset = study::presetById(text.toStdString()))
    return *preset;
  throw UsageError("--equation " + quotedValue(text) + ": unknown equation; --equation accepts " +
                   kEquationOption.accepts + " " + study::presetIdsText());
}

study::TypedEquation readTyped(const QCommandLineParser& parser) {
  const std::string f = valueOf(parser, kFOption).toStdString();
  if (const std::optional<std::string> why = study::expressionProblem(f, true))
    throw UsageError("--f: " + *why);
  std::string exact;
  if (isSet(parser, kExactOption)) {
    exact = valueOf(parser, kExactOption).toStdString();
    if (const std::optional<std::string> why = study::expressionProblem(exact, false))
      throw UsageError("--exact: " + *why);
  }
  return {f, exact};
}

}  // namespace

study::Problem readProblem(const QCommandLineParser& parser, const OptionSpec& x1Option,
                           double fallbackX1) {
  const bool preset = isSet(parser, kEquationOption);
  const bool typed = isSet(parser, kFOption);
  if (preset && typed)
    throw UsageError("--equation and --f exclude each other: study a preset or type f, not both");
  if (isSet(parser, kExactOption) && !typed)
    throw UsageError("--exact is the exact solution of a typed equation, so it needs --f");
  if (typed && !isSet(parser, kY0Option))
    throw UsageError("--f needs --y0, the start ordinate; --y0 accepts a finite number");

  study::Problem problem;
  double x1 = fallbackX1;
  if (typed) {
    problem.equation = readTyped(parser);
    problem.x0 = readFinite(parser, kX0Option, 0.0);
    problem.y0 = readFinite(parser, kY0Option, 0.0);
    x1 = problem.x0 + fallbackX1;
  } else {
    if (preset) {
      problem = study::presetProblem(readPreset(parser));
      x1 = problem.x1;
    }
    problem.x0 = readFinite(parser, kX0Option, problem.x0);
    problem.y0 = readFinite(parser, kY0Option, problem.y0);
  }
  if (isSet(parser, x1Option)) {
    const QString text = valueOf(parser, x1Option);
    const std::optional<double> value = study::readNumber(text.toStdString());
    const std::string accepts = dashed(x1Option) + " accepts " + x1Option.accepts;
    if (!value || !std::isfinite(*value))
      throw UsageError(dashed(x1Option) + " " + quotedValue(text) + ": not a finite number; " +
                       accepts);
    if (*value == problem.x0)
      throw UsageError(dashed(x1Option) + " " + quotedValue(text) + ": the steps run from " +
                       study::shortestText(problem.x0) + " to x1, so x1 must not be " +
                       study::shortestText(problem.x0) + "; " + accepts);
    x1 = *value;
  }
  problem.x1 = x1;
  try {
    study::checkProblem(problem);
  } catch (const std::invalid_argument& e) {
    const bool exactFailed = std::string(e.what()).find("exact solution") != std::string::npos;
    throw UsageError((exactFailed ? "--exact: " : "") + std::string(e.what()));
  }
  return problem;
}

std::string markdownTitle(const study::Problem& problem) {
  return study::problemTitle(problem) + ", x1 = " + study::shortestText(problem.x1) + "\n\n";
}

}  // namespace kemi::cli
