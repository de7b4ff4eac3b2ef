// compare and equations: read the options, compute through the study library, write the table.
#include "cli/equation_commands.h"

#include <QCommandLineParser>

#include "cli/system_commands.h"
#include "cli/system_problem.h"
#include "core/method_table.h"
#include "figures/solution_export.h"
#include "study/compare_table.h"
#include "study/problem_steps.h"
#include "study/system_text.h"

namespace kemi::cli {

int compare(const QCommandLineParser& parser) {
  if (isSystemRequest(parser)) return systemCompare(parser);
  if (parser.isSet(QString::fromLatin1(kSystemViewOption.name)))
    throw UsageError("--view chooses the picture of a system; one equation has one picture");
  const study::Problem problem = readProblem(parser, kCompareX1, 1.0);
  const std::int64_t n = readSteps(parser, kCompareN, 8, study::kMaxPolygonSteps);
  const std::vector<std::size_t> methods = readMethods(parser, kMethodList);
  const TextFormat format = readFormat(parser, kFormat);
  const QString chart = parser.value(QString::fromLatin1(kCompareChart.name));
  if (parser.isSet(QString::fromLatin1(kCompareChart.name)) &&
      !chart.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) &&
      !chart.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
    throw UsageError("--chart " + quotedValue(chart) +
                     ": not an .svg or .png name; --chart accepts " + kCompareChart.accepts);
  Outputs outputs(readOutputPath(parser, kOutput), chart);
  if (openOutputs("compare", outputs) != 0) return 1;
  const study::CompareTable compared = study::compareTable(problem, n, methods);
  std::string notes;
  for (const std::string& note : compared.notes) {
    tell("compare", note);
    notes += "- " + note + "\n";
  }
  std::string text = formatted(compared.table, format, problem);
  if (format == TextFormat::Markdown && !notes.empty()) text += "\n" + notes;
  return deliver("compare", outputs, text, [&](QByteArray& bytes, QString& error) {
    return lab::drawSolutionChart({problem, n, methods}, outputs.chartPath, bytes, error);
  });
}

int equations(const QCommandLineParser& parser) {
  const TextFormat format = readFormat(parser, kFormat);
  Outputs outputs(readOutputPath(parser, kOutput), {});
  if (openOutputs("equations", outputs) != 0) return 1;
  study::TextTable table = study::equationsText();
  study::appendSystemRows(table);
  return deliver("equations", outputs,
                 format == TextFormat::Csv ? study::toCsv(table) : study::toMarkdown(table));
}

std::string compareColumns() {
  std::vector<study::Polygon> all;
  for (std::size_t m = 0; m < kMethods.size(); ++m) all.push_back({m, {}, {}, 0});
  return header(study::compareText({}, {}, true, all));
}

}  // namespace kemi::cli
