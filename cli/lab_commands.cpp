// The three commands: read their options, compute through the study library and hand the table
// to the output. A sweep runs under a SweepWatch, so Ctrl+C stops it and drops the output.
#include "cli/lab_commands.h"

#include <QCommandLineParser>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <stop_token>
#include <utility>
#include <vector>

#include "cli/adaptive_command.h"
#include "cli/adaptive_options.h"
#include "cli/command_support.h"
#include "cli/equation_commands.h"
#include "cli/lab_output.h"
#include "cli/lab_problem.h"
#include "cli/sweep_watch.h"
#include "cli/system_commands.h"
#include "cli/system_problem.h"
#include "figures/solution_export.h"
#include "study/convergence.h"
#include "study/problem_stability.h"
#include "study/stability.h"
#include "study/step_table.h"
#include "study/text_table.h"

namespace kemi::cli {
namespace {

constexpr OptionSpec kSweepX1{
    "x1", "X", "target abscissa, other than x0 (default 1, or the preset's suggested x1)",
    "a finite number other than x0, such as 1 or 2.5e-1"};
constexpr OptionSpec kMaxN{
    "max-n", "N",
    "largest N: rows for N = 1, 2, 4, ... up to N (default 16777216 = 2^24, at most 2147483646)",
    "a whole number from 1 to 2147483646"};
constexpr std::array kConvergenceOptions{
    kEquationOption, kFOption, kX0Option, kY0Option, kExactOption, kSweepX1,        kMaxN,
    kMethodList,     kFormat,  kOutput,   kChart,    kF2Option,    kInvariantOption};

constexpr OptionSpec kStepMethod{"method", "M", "the method (required)", "one method id of", true};
constexpr OptionSpec kStepX1{
    "x1", "X", "target abscissa, other than x0 (default 0.4, or the preset's suggested x1)",
    "a finite number other than x0, such as 0.4 or -1e-2"};
constexpr OptionSpec kStepN{"n", "N", "number of steps, 1 to 100000 (default 4)",
                            "a whole number from 1 to 100000"};
constexpr std::array kStepsOptions{kEquationOption, kFOption,    kX0Option, kY0Option,
                                   kExactOption,    kStepMethod, kStepX1,   kStepN,
                                   kFormat,         kOutput,     kF2Option, kInvariantOption};

constexpr OptionSpec kStabilityX1{
    "x1", "X", "end of the interval of lambda (default 1, or the preset's suggested x1)",
    "a finite number other than x0, such as 1 or 0.5"};
constexpr OptionSpec kView{"view", "VIEW",
                           "what --chart draws: regions (the default), the stability regions in "
                           "the complex plane, or real, |R(-h)| against h on the real axis",
                           "regions or real"};
constexpr std::array kStabilityOptions{
    kEquationOption, kFOption, kX0Option, kY0Option, kExactOption, kStabilityX1,    kMethodList,
    kFormat,         kOutput,  kChart,    kView,     kF2Option,    kInvariantOption};

ChartDrawers& chartDrawers() {
  static ChartDrawers drawers;
  return drawers;
}

bool noDrawer(const QString& path, QString& error) {
  error = QStringLiteral("Could not write %1: this program draws no such chart.").arg(path);
  return false;
}

int convergence(const QCommandLineParser& parser) {
  if (isSystemRequest(parser)) return systemConvergence(parser, kSweepX1, kMaxN);
  study::ConvergenceSettings settings;
  const study::Problem problem = readProblem(parser, kSweepX1, settings.x1);
  settings.x1 = problem.x1;
  settings.maxN = readSteps(parser, kMaxN, settings.maxN, study::kMaxSteps);
  settings.methods = readMethods(parser, kMethodList);
  const TextFormat format = readFormat(parser, kFormat);
  Outputs outputs(readOutputPath(parser, kOutput), readChartPath(parser));
  if (openOutputs("convergence", outputs) != 0) return 1;

  std::stop_source stop;
  study::ConvergenceResult result;
  {
    SweepWatch watch(stop, "kemi-lab convergence");
    study::SweepCallbacks callbacks;
    callbacks.progress = [&watch](double share) { watch.setProgress(share); };
    result = study::runConvergence(problem, settings, stop.get_token(), callbacks);
  }
  if (result.cancelled) return 128 + interruptSignal();

  std::string notes = sweepEndNotes("convergence", result.ends);
  if (!result.exact) notes += referenceNote(result.accuracy);
  std::string text = formatted(study::convergenceText(result.rows, result.exact), format, problem);
  if (format == TextFormat::Markdown && !notes.empty()) text += "\n" + notes;
  return deliver("convergence", outputs, text, [&](QByteArray& bytes, QString& error) {
    const auto& draw = chartDrawers().convergence;
    return draw ? draw(result.rows, outputs.chartPath, bytes, error)
                : noDrawer(outputs.chartPath, error);
  });
}

int steps(const QCommandLineParser& parser) {
  if (isSystemRequest(parser)) return systemSteps(parser, kStepX1, kStepMethod, kStepN);
  const std::size_t method = readMethod(parser, kStepMethod);
  const study::Problem problem = readProblem(parser, kStepX1, 0.4);
  const std::int64_t n = readSteps(parser, kStepN, 4, study::kMaxTableSteps);
  const TextFormat format = readFormat(parser, kFormat);
  Outputs outputs(readOutputPath(parser, kOutput), {});
  if (openOutputs("steps", outputs) != 0) return 1;
  const study::StepTable table = study::buildStepTable(problem, method, n);
  std::string text = formatted(study::stepText(table), format, problem);
  noteStepsStop(text, format, method, table.rows.back().i, table.cause);
  return deliver("steps", outputs, text);
}

int stability(const QCommandLineParser& parser) {
  if (isSystemRequest(parser)) return systemStability(parser, kStabilityX1);
  const study::Problem problem = readProblem(parser, kStabilityX1, 1.0);
  const std::vector<std::size_t> methods = readMethods(parser, kMethodList);
  const TextFormat format = readFormat(parser, kFormat);
  const StabilityView view = readStabilityView(parser, kView);
  Outputs outputs(readOutputPath(parser, kOutput), readChartPath(parser));
  if (openOutputs("stability", outputs) != 0) return 1;
  return deliver(
      "stability", outputs,
      formatted(study::problemStabilityText(study::problemStabilityRows(problem, methods)), format,
                problem),
      [&](QByteArray& bytes, QString& error) {
        if (view == StabilityView::Regions)
          return lab::drawStabilityRegions(methods, outputs.chartPath, bytes, error);
        const auto& draw = chartDrawers().realAxis;
        return draw ? draw(methods, outputs.chartPath, bytes, error)
                    : noDrawer(outputs.chartPath, error);
      });
}

constexpr std::array kCommands{
    LabCommand{
        "convergence",
        "the error at x1 as N doubles, with the observed order and the evaluations of f",
        "The error at x1 of each method for N = 1, 2, 4, ... steps from the start (x0, y0) up "
        "to the largest N, with the observed order log2(|e(N/2)| / |e(N)|) and the evaluations "
        "of f it took. An error of exactly 0 gives no order (an order against an exact zero is "
        "not a number), so its cell and the next one stay empty. stable says whether h is "
        "within the method's stability limit on the equation (see stability); an order needs "
        "both of its rows stable, since unstable steps say nothing of it. Without an exact "
        "solution the errors are against a reference solution of Boost.Odeint: the column "
        "exact is then headed reference, accuracy bounds its error, and rows whose error is "
        "within 10 times that are not resolved and get no order. A method stops early once "
        "three doublings in a row have not improved on its smallest error (the rounding "
        "floor), or when a step leaves the range of a double, which standard error then says. "
        "The work is spread over all cores; on a terminal a sweep that takes more than a "
        "second shows its progress on standard error.",
        kConvergenceOptions,
        [] { return header(study::convergenceText({})); },
        &convergence,
    },
    LabCommand{
        "steps",
        "every step of one method, with its stages k1..k6 and its global and local error",
        "Every step of one method from the start (x0, y0) to x1: x, y, the exact value, the "
        "global error, the local error (the exact value minus one step of the method taken "
        "from the exact value at the step's start) and the stages k1..k6 of the step, empty "
        "where the method has fewer. Row 0 is the initial point. Without an exact solution "
        "the column exact is headed reference and accuracy bounds its error.",
        kStepsOptions,
        [] { return header(study::stepText({})); },
        &steps,
    },
    LabCommand{
        "adaptive",
        kAdaptiveSummary,
        kAdaptiveDescription,
        kAdaptiveOptions,
        &adaptiveColumns,
        &adaptive,
    },
    LabCommand{
        "stability",
        "each method's order, evaluations of f per step and stability limits on the equation",
        "Each method's order, its evaluations of f per step and its stability limit on "
        "y' = -y: one step maps y to R(-h) y, and the limit is the largest h0 with |R(-h)| <= 1 "
        "for every step size 0 < h <= h0. On the equation, lambda = df/dy along the solution "
        "from x0 to x1; lambda_min is its most negative value, h_limit = stability_limit / "
        "|lambda_min| the largest stable step and n_min the smallest N whose step is within "
        "it. Where lambda_min >= 0 no step is unstable in this sense and the last two columns "
        "are empty.",
        kStabilityOptions,
        [] { return header(study::problemStabilityText({})); },
        &stability,
    },
    LabCommand{
        "compare",
        "every chosen method's points at one N beside the solution",
        "The points of N steps of every chosen method on the same x grid, beside the exact "
        "solution (or a reference solution, then headed reference): the data of a picture of "
        "all methods against the solution.",
        kCompareOptions,
        [] { return compareColumns(); },
        &compare,
    },
    LabCommand{
        "equations",
        "the preset equations and systems, their starts, exact solutions and suggested x1",
        "The preset equations for --equation: each id with f(x, y), the start (x0, y0), the "
        "exact solution through that start where there is one, and the suggested x1. A "
        "typed f (--f) is read with x and y, + - * / ^, parentheses, the constants pi and e "
        "and the functions sin, cos, tan, asin, acos, atan, sinh, cosh, tanh, exp, ln and log "
        "(both the natural logarithm), log10, log2, sqrt, abs, sign, min and max; write "
        "products with '*' (2*x, not 2x). A typed '-2*x - y' from (0, -1) gives the same x, y "
        "and stages as classroom to the last bit; a typed exact solution written in another "
        "order than classroom's may differ in its last bits. A typed exact solution must give "
        "y0 at x0 and solve the equation, or it is refused with the x where it fails. The last "
        "seven "
        "ids are systems y' = f(x, y) of two components (y1, y2), their f and start written "
        "'f1; f2' and 'y1; y2', as --f and --y0 take a typed system (--f2 a second-order "
        "equation in x, y and v = y').",
        kEquationsOptions,
        [] { return header(study::equationsText()); },
        &equations,
    },
};

}  // namespace

void setChartDrawers(ChartDrawers drawers) {
  chartDrawers() = std::move(drawers);
}

std::span<const LabCommand> labCommands() {
  return kCommands;
}

}  // namespace kemi::cli
