// Filling the Solution picture from the study library: the solution sampled once per problem,
// the polygons from the same step formulas the sweeps use.
#include "figures/solution_scene.h"

#include <QCoreApplication>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

#include "core/method_table.h"
#include "figures/equation_caption.h"
#include "figures/figure_painter.h"
#include "plot/figure/description.h"
#include "plot/figure/style.h"
#include "study/problem_steps.h"
#include "study/solution.h"
#include "study/text_table.h"

namespace kemi::lab {
namespace {

struct SceneText {
  Q_DECLARE_TR_FUNCTIONS(SceneText)
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

QString idOf(std::size_t method) {
  return QString::fromLatin1(kMethods[method].id.data(),
                             static_cast<qsizetype>(kMethods[method].id.size()));
}

QString shortest(double value) {
  return QString::fromStdString(study::shortestText(value));
}

}  // namespace

QString roundedText(double value, int digits) {
  std::array<char, 32> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::general, digits);
  if (ec != std::errc()) return shortest(value);
  return QString::fromLatin1(buffer.data(), static_cast<qsizetype>(end - buffer.data()));
}

SolutionResult solveForPicture(const SolutionRequest& request) {
  const study::Problem& problem = request.problem;
  SolutionResult result;
  result.scene.start = {problem.x0, problem.y0};
  result.scene.title = QStringLiteral("%1,  N = %2").arg(equationCaption(problem)).arg(request.n);

  std::vector<study::Polygon> polygons;
  const std::vector<double> xs = study::sampleAbscissae(problem, kSolutionSamples);
  for (const std::size_t m : request.methods)
    polygons.push_back(study::polygon(problem, m, request.n));
  std::optional<study::Solution> solution;
  try {
    solution.emplace(problem, xs);
    result.exact = solution->exact();
    result.accuracy = solution->accuracy();
    SolutionCurve curve{
        result.exact
            ? SceneText::tr("Exact solution")
            : SceneText::tr("Reference solution (\u00B1%1)").arg(roundedText(result.accuracy, 2)),
        {},
        QColor(0x70, 0x70, 0x70),
        !result.exact};
    for (int i = 0; i <= kSolutionSamples; ++i) {
      const double x = xs[static_cast<std::size_t>(i)];
      curve.points.emplace_back(x, solution->at(x));
    }
    result.scene.curves.push_back(std::move(curve));
  } catch (const std::invalid_argument& e) {
    result.exact = false;
    result.note =
        SceneText::tr("No solution to compare with: %1.").arg(QString::fromUtf8(e.what()));
  }
  for (const study::Polygon& p : polygons) {
    SolutionCurve curve{idOf(p.method), {}, figures::toQt(figure::methodStyles()[p.method].colour)};
    curve.method = static_cast<int>(p.method);
    for (std::size_t i = 0; i < p.x.size(); ++i) curve.points.emplace_back(p.x[i], p.y[i]);
    result.scene.curves.push_back(std::move(curve));
    const double there = solution ? solution->at(p.x.back()) : kNaN;
    result.solutionAtEnds.push_back(there);
    if (p.failedStep != 0) {
      result.errors.push_back(kNaN);
      result.note += SceneText::tr(" %1 leaves the range of numbers at step %2.")
                         .arg(idOf(p.method))
                         .arg(p.failedStep);
    } else {
      result.errors.push_back(std::abs(p.y.back() - there));
    }
  }
  result.note = result.note.trimmed();
  return result;
}

study::TextTable solutionText(const SolutionRequest& request, const SolutionResult& result) {
  study::TextTable table;
  table.header = {"method", "N", "x", "y", result.exact ? "exact" : "reference", "error"};
  const std::size_t first = result.scene.curves.size() - request.methods.size();
  for (std::size_t i = 0; i < request.methods.size(); ++i) {
    const QPointF end = result.scene.curves[first + i].points.back();
    const double error = result.errors[i];
    const bool known = !std::isnan(error);
    const double solutionThere = result.solutionAtEnds[i];
    table.rows.push_back(
        {std::string(kMethods[request.methods[i]].id), std::to_string(request.n),
         study::shortestText(end.x()), study::shortestText(end.y()),
         std::isnan(solutionThere) ? std::string() : study::shortestText(solutionThere),
         known ? study::shortestText(error) : std::string()});
  }
  return table;
}

QString describeSolution(const SolutionRequest& request, const SolutionResult& result) {
  const study::Problem& p = request.problem;
  figure::SolutionFacts facts;
  facts.caption = equationCaption(p).toStdString();
  facts.x0 = study::shortestText(p.x0);
  facts.x1 = study::shortestText(p.x1);
  facts.n = QString::number(request.n).toStdString();
  if (result.scene.curves.size() > request.methods.size())
    facts.drawn = result.exact ? figure::SolutionFacts::Drawn::Exact
                               : figure::SolutionFacts::Drawn::Reference;
  facts.accuracy = roundedText(result.accuracy, 2).toStdString();
  for (std::size_t i = 0; i < request.methods.size(); ++i) {
    facts.methods.emplace_back(kMethods[request.methods[i]].id);
    facts.errors.push_back(std::isnan(result.errors[i])
                               ? std::string("unknown")
                               : roundedText(result.errors[i], 3).toStdString());
  }
  facts.note = result.note.toStdString();
  return QString::fromStdString(figure::solutionDescription(facts));
}

}  // namespace kemi::lab
