// Reading the system options, refusing in one line what cannot be studied.
#include "cli/system_problem.h"

#include <QCommandLineParser>
#include <algorithm>
#include <cmath>

#include "cli/lab_problem.h"
#include "study/study_input.h"
#include "study/system_methods.h"
#include "study/system_steps.h"
#include "study/text_table.h"

namespace kemi::cli {
namespace {

bool isSet(const QCommandLineParser& parser, const OptionSpec& option) {
  return parser.isSet(QString::fromLatin1(option.name));
}

std::string valueOf(const QCommandLineParser& parser, const OptionSpec& option) {
  return parser.value(QString::fromLatin1(option.name)).toStdString();
}

std::string dashed(const OptionSpec& option) {
  return "--" + std::string(option.name);
}

double readFinite(const OptionSpec& option, const std::string& text) {
  const std::optional<double> value = study::readNumber(text);
  if (!value || !std::isfinite(*value))
    throw UsageError(dashed(option) + " " + quotedValue(QString::fromStdString(text)) +
                     ": not a finite number; " + dashed(option) +
                     " accepts finite numbers such as '1; 0' for a system");
  return *value;
}

Vec2 readStart(const QCommandLineParser& parser, const Vec2& fallback) {
  if (!isSet(parser, kY0Option)) return fallback;
  try {
    const std::vector<std::string> parts =
        study::splitParts(valueOf(parser, kY0Option), 2, "--y0 of a system");
    return Vec2{{readFinite(kY0Option, parts[0]), readFinite(kY0Option, parts[1])}};
  } catch (const study::ExpressionError& e) {
    throw UsageError(e.what());
  }
}

study::TypedSystem readTyped(const QCommandLineParser& parser) {
  const std::string exact = isSet(parser, kExactOption) ? valueOf(parser, kExactOption) : "";
  const std::string invariant =
      isSet(parser, kInvariantOption) ? valueOf(parser, kInvariantOption) : "";
  const bool second = isSet(parser, kF2Option);
  try {
    return second
               ? study::TypedSystem::fromSecondOrder(valueOf(parser, kF2Option), exact, invariant)
               : study::TypedSystem::firstOrder(valueOf(parser, kFOption), exact, invariant);
  } catch (const study::ExpressionError& e) {
    const std::string what = e.what();
    const bool exact = what.rfind("exact", 0) == 0 || what.rfind("the exact", 0) == 0;
    const std::string option = exact                             ? "--exact"
                               : what.rfind("invariant", 0) == 0 ? "--invariant"
                               : second                          ? "--f2"
                                                                 : "--f";
    throw UsageError(option + ": " + what);
  }
}

}  // namespace

bool isSystemRequest(const QCommandLineParser& parser) {
  if (isSet(parser, kF2Option) || isSet(parser, kInvariantOption)) return true;
  if (isSet(parser, kEquationOption) && study::systemById(valueOf(parser, kEquationOption)))
    return true;
  const auto semicolon = [&](const OptionSpec& o) {
    return isSet(parser, o) && valueOf(parser, o).find(';') != std::string::npos;
  };
  return semicolon(kFOption) || semicolon(kY0Option);
}

study::SystemProblem readSystemProblem(const QCommandLineParser& parser, const OptionSpec& x1Option,
                                       double fallbackX1) {
  const bool typed = isSet(parser, kFOption) || isSet(parser, kF2Option);
  if (isSet(parser, kFOption) && isSet(parser, kF2Option))
    throw UsageError("--f and --f2 exclude each other: type a system or a second-order equation");
  if (typed && isSet(parser, kEquationOption))
    throw UsageError("--equation and a typed system exclude each other");
  if (!typed && (isSet(parser, kExactOption) || isSet(parser, kInvariantOption)))
    throw UsageError("--exact and --invariant belong to a typed system, so they need --f or --f2");
  if (!typed && !isSet(parser, kEquationOption))
    throw UsageError(
        "--y0 with two values needs a system: --equation with a preset system, "
        "--f or --f2");
  if (typed && !isSet(parser, kY0Option))
    throw UsageError("a typed system needs --y0 with its two start values, such as '1; 0'");
  study::SystemProblem problem;
  double x1 = fallbackX1;
  if (typed) {
    problem.system = readTyped(parser);
    problem.x0 = isSet(parser, kX0Option) ? readFinite(kX0Option, valueOf(parser, kX0Option)) : 0;
    x1 = problem.x0 + fallbackX1;
  } else {
    const std::optional<study::AnySystem> preset =
        study::systemById(valueOf(parser, kEquationOption));
    if (!preset)
      throw UsageError("--equation '" + valueOf(parser, kEquationOption) +
                       "' is no system, yet --y0 has two values");
    problem = study::systemProblem(*preset);
    x1 = problem.x1;
    if (isSet(parser, kX0Option)) problem.x0 = readFinite(kX0Option, valueOf(parser, kX0Option));
  }
  problem.y0 = readStart(parser, problem.y0);
  if (isSet(parser, x1Option)) {
    const std::optional<double> value = study::readNumber(valueOf(parser, x1Option));
    if (!value || !std::isfinite(*value) || *value == problem.x0)
      throw UsageError(dashed(x1Option) + " " +
                       quotedValue(QString::fromStdString(valueOf(parser, x1Option))) +
                       ": not a finite number other than x0 = " + study::shortestText(problem.x0) +
                       "; " + dashed(x1Option) + " accepts " + x1Option.accepts);
    x1 = *value;
  }
  problem.x1 = x1;
  try {
    study::checkSystemProblem(problem);
  } catch (const std::invalid_argument& e) {
    const std::string what = e.what();
    const std::string prefix = what.rfind("the invariant", 0) == 0                ? "--invariant: "
                               : what.find("exact solution") != std::string::npos ? "--exact: "
                                                                                  : "";
    throw UsageError(prefix + what);
  }
  return problem;
}

std::vector<std::size_t> readSystemMethods(const QCommandLineParser& parser,
                                           const OptionSpec& option,
                                           const study::SystemProblem& problem) {
  std::vector<std::size_t> methods;
  if (!isSet(parser, option)) {
    for (std::size_t m = 0; m < study::kSystemMethodCount; ++m)
      if (!study::isSymplectic(m) || study::isSecondOrderWithoutVelocity(problem.system))
        methods.push_back(m);
    return methods;
  }
  const std::string text = valueOf(parser, option);
  std::size_t from = 0;
  while (from <= text.size()) {
    const std::size_t comma = std::min(text.find(',', from), text.size());
    const std::string id = text.substr(from, comma - from);
    const std::optional<std::size_t> m = study::systemMethodById(id);
    if (!m)
      throw UsageError(dashed(option) + " " + quotedValue(QString::fromStdString(text)) +
                       ": unknown method '" + id + "'; on a system " + dashed(option) +
                       " accepts " + study::methodIdsText() + ", SymplecticEuler, Verlet");
    try {
      study::checkMethodApplies(problem, *m);
    } catch (const std::invalid_argument& e) {
      throw UsageError(dashed(option) + ": " + e.what());
    }
    methods.push_back(*m);
    from = comma + 1;
  }
  std::sort(methods.begin(), methods.end());
  methods.erase(std::unique(methods.begin(), methods.end()), methods.end());
  return methods;
}

std::size_t readSystemMethod(const QCommandLineParser& parser, const OptionSpec& option,
                             const study::SystemProblem& problem) {
  if (!isSet(parser, option)) throw UsageError(dashed(option) + " is required");
  const std::vector<std::size_t> one = readSystemMethods(parser, option, problem);
  if (one.size() != 1) throw UsageError(dashed(option) + " takes one method");
  return one.front();
}

std::string systemMarkdownTitle(const study::SystemProblem& problem) {
  return study::systemTitle(problem) + ", x1 = " + study::shortestText(problem.x1) + "\n\n";
}

}  // namespace kemi::cli
