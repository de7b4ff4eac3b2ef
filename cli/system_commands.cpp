// The commands on a system: read the options, compute through the study library, write the
// table and its notes.
#include "cli/system_commands.h"

#include <QCommandLineParser>
#include <algorithm>
#include <cmath>
#include <stop_token>

#include "cli/command_support.h"
#include "cli/equation_commands.h"
#include "cli/sweep_watch.h"
#include "cli/system_problem.h"
#include "core/step_loop.h"
#include "figures/system_convergence_chart.h"
#include "figures/system_picture.h"
#include "figures/system_regions.h"
#include "study/problem_stability.h"
#include "study/system_methods.h"
#include "study/system_solution.h"
#include "study/system_stability.h"
#include "study/system_text.h"

namespace kemi::cli {
namespace {

std::string systemFormatted(const study::TextTable& table, TextFormat format,
                            const study::SystemProblem& problem) {
  return format == TextFormat::Csv ? study::toCsv(table)
                                   : systemMarkdownTitle(problem) + study::toMarkdown(table);
}

std::string methodId(std::size_t method) {
  return std::string(study::systemMethodId(method));
}

lab::SystemView readSystemView(const QCommandLineParser& parser,
                               const study::SystemProblem& problem) {
  if (!parser.isSet(QStringLiteral("view"))) return lab::SystemView::Phase;
  const QString text = parser.value(QStringLiteral("view"));
  if (text == QLatin1String("phase")) return lab::SystemView::Phase;
  if (text == QLatin1String("components")) return lab::SystemView::Components;
  if (text == QLatin1String("invariant")) {
    if (!study::hasInvariant(problem.system))
      throw UsageError("--view invariant: " + study::systemId(problem.system) +
                       " has no invariant (a typed system gets one with --invariant)");
    return lab::SystemView::Invariant;
  }
  throw UsageError("--view " + quotedValue(text) + ": unknown view; --view accepts " +
                   kSystemViewOption.accepts);
}

}  // namespace

int systemConvergence(const QCommandLineParser& parser, const OptionSpec& x1,
                      const OptionSpec& maxN) {
  const study::SystemProblem problem = readSystemProblem(parser, x1, 1.0);
  study::ConvergenceSettings settings;
  settings.maxN = readSteps(parser, maxN, settings.maxN, study::kMaxSteps);
  settings.methods = readSystemMethods(parser, kMethodList, problem);
  const TextFormat format = readFormat(parser, kFormat);
  Outputs outputs(readOutputPath(parser, kOutput), readChartPath(parser));
  if (openOutputs("convergence", outputs) != 0) return 1;
  std::stop_source stop;
  study::SystemConvergenceResult result;
  {
    SweepWatch watch(stop, "kemi-lab convergence");
    result = study::runSystemConvergence(problem, settings, stop.get_token(),
                                         [&watch](double share) { watch.setProgress(share); });
  }
  if (result.cancelled) return 128 + interruptSignal();
  std::string notes = sweepEndNotes("convergence", result.ends);
  notes +=
      "- error is the largest component error; an order is formed between two rows whose "
      "growth over the interval, the largest |R(h*lambda)|^N over the eigenvalues along the "
      "solution, is at most 10 for both\n";
  if (!result.exact) notes += referenceNote(result.accuracy);
  std::string text =
      systemFormatted(study::systemConvergenceText(result.rows, result.exact), format, problem);
  if (format == TextFormat::Markdown) text += "\n" + notes;
  return deliver("convergence", outputs, text, [&](QByteArray& bytes, QString& error) {
    return lab::drawSystemConvergenceChart(result.rows,
                                           QString::fromStdString(study::systemTitle(problem)),
                                           outputs.chartPath, bytes, error);
  });
}

int systemSteps(const QCommandLineParser& parser, const OptionSpec& x1, const OptionSpec& method,
                const OptionSpec& n) {
  const study::SystemProblem problem = readSystemProblem(parser, x1, 0.4);
  const std::size_t chosen = readSystemMethod(parser, method, problem);
  const std::int64_t steps = readSteps(parser, n, 4, study::kMaxTableSteps);
  const TextFormat format = readFormat(parser, kFormat);
  Outputs outputs(readOutputPath(parser, kOutput), {});
  if (openOutputs("steps", outputs) != 0) return 1;
  const study::SystemStepTable table = study::buildSystemStepTable(problem, chosen, steps);
  std::string text = systemFormatted(study::systemStepText(table), format, problem);
  noteStepsStop(text, format, chosen, table.rows.back().i, table.cause);
  return deliver("steps", outputs, text);
}

int systemStability(const QCommandLineParser& parser, const OptionSpec& x1) {
  const study::SystemProblem problem = readSystemProblem(parser, x1, 1.0);
  const std::vector<std::size_t> methods = readSystemMethods(parser, kMethodList, problem);
  const TextFormat format = readFormat(parser, kFormat);
  Outputs outputs(readOutputPath(parser, kOutput), readChartPath(parser));
  if (openOutputs("stability", outputs) != 0) return 1;
  const std::vector<study::SystemStabilityRow> rows = study::systemStabilityRows(problem, methods);
  std::string text = systemFormatted(study::systemStabilityText(rows), format, problem);
  if (format == TextFormat::Markdown) {
    std::string notes;
    for (const std::string& note : study::systemStabilityNotes(rows)) notes += "- " + note + "\n";
    if (!notes.empty()) text += "\n" + notes;
  }
  return deliver("stability", outputs, text, [&](QByteArray& bytes, QString& error) {
    const lab::SystemRegionMarks marks = lab::systemRegionMarks(problem, rows);
    return lab::drawSystemRegions(marks.methods, marks.lambdas, marks.h,
                                  QString::fromStdString(study::systemTitle(problem)),
                                  outputs.chartPath, bytes, error);
  });
}

int systemCompare(const QCommandLineParser& parser) {
  const study::SystemProblem problem = readSystemProblem(parser, kCompareX1, 1.0);
  const std::int64_t n = readSteps(parser, kCompareN, 8, study::kMaxPolygonSteps);
  const std::vector<std::size_t> methods = readSystemMethods(parser, kMethodList, problem);
  const TextFormat format = readFormat(parser, kFormat);
  const QString chart = readChartPath(parser);
  const lab::SystemView view = readSystemView(parser, problem);
  Outputs outputs(readOutputPath(parser, kOutput), chart);
  if (openOutputs("compare", outputs) != 0) return 1;
  const double h = stepSize(problem.x0, problem.x1, static_cast<double>(n));
  std::vector<double> xs{problem.x0};
  for (std::int64_t i = 1; i <= n; ++i) xs.push_back(xs.back() + h);
  const study::SystemSolution solution(problem, xs);
  std::vector<Vec2> values;
  values.reserve(xs.size());
  for (const double x : xs) values.push_back(solution.at(x));
  std::vector<study::SystemPolygon> polygons;
  std::string notes;
  for (const std::size_t m : methods) {
    polygons.push_back(study::systemPolygon(problem, m, n));
    if (polygons.back().failedStep != 0) {
      const std::string note = methodId(m) + " stops at step " +
                               std::to_string(polygons.back().failedStep) +
                               ", whose point left the range of a double";
      tell("compare", note);
      notes += "- " + note + "\n";
    }
  }
  std::string text = systemFormatted(
      study::systemCompareText(xs, values, solution.exact(), polygons), format, problem);
  if (format == TextFormat::Markdown && !notes.empty()) text += "\n" + notes;
  return deliver("compare", outputs, text, [&](QByteArray& bytes, QString& error) {
    lab::SystemPictureData data = lab::systemPictureData(problem, n, {});
    data.polygons = polygons;
    return lab::drawSystemChart(data, view, outputs.chartPath, bytes, error);
  });
}

}  // namespace kemi::cli
