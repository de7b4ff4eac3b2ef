// The lab page's setup and tables; the tables and notes are those of the command line's
// compare, steps, stability and convergence.
#include "web/lab_page.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <tuple>

#include "core/method_table.h"
#include "study/compare_table.h"
#include "study/convergence.h"
#include "study/own_equation.h"
#include "study/problem_stability.h"
#include "study/problem_steps.h"
#include "study/step_table.h"
#include "study/study_input.h"
#include "study/text_table.h"

namespace kemi::web {
namespace {

// A whole number from 1 to `largest` as shortest text, or a sentence why not.
std::string readCount(const std::string& text, std::int64_t largest, std::string& value) {
  const std::optional<std::int64_t> n = study::readWholeNumber(text);
  if (!n || *n < 1 || *n > largest)
    return "not a whole number from 1 to " + std::to_string(largest);
  value = std::to_string(*n);
  return {};
}

std::vector<std::size_t> methodsOf(const LabSetup& s) {
  return study::readMethodList(s.methods).methods;
}

std::int64_t whole(const std::string& text) {
  return *study::readWholeNumber(text);
}

template <class Compute>
TableText guarded(Compute compute) {
  try {
    return compute();
  } catch (const std::exception& e) {
    TableText t;
    t.error = e.what();
    return t;
  }
}

}  // namespace

study::Problem setupProblem(const LabSetup& s) {
  study::Problem p;
  if (!s.f.empty()) {
    p.equation = study::TypedEquation(s.f, s.exact);
    p.x0 = *study::readNumber(s.x0);
    p.y0 = *study::readNumber(s.y0);
  } else {
    p = study::presetProblem(*study::presetById(s.eq));
    if (!s.x0.empty()) p.x0 = *study::readNumber(s.x0);
    if (!s.y0.empty()) p.y0 = *study::readNumber(s.y0);
  }
  p.x1 = *study::readNumber(s.x1);
  return p;
}

SetupReading readSetup(const LabSetup& asked) {
  SetupReading r;
  LabSetup& s = r.setup;
  const auto ignore = [&r](const std::string& name, const std::string& why) {
    r.ignored.push_back(name + ": " + why + ", so it was ignored");
  };
  s.eq = "classroom";
  if (!asked.eq.empty()) {
    if (study::presetById(asked.eq))
      s.eq = asked.eq;
    else
      ignore("eq", "unknown preset (one of " + study::presetIdsText() + ")");
  }
  study::Problem problem = study::presetProblem(*study::presetById(s.eq));
  if (!asked.f.empty()) {
    const study::OwnEquationReasons check = study::checkOwnEquation(
        {asked.f, asked.x0.empty() ? "0" : asked.x0, asked.y0, asked.exact});
    if (check.problem) {
      const auto& typed = std::get<study::TypedEquation>(check.problem->equation);
      s.f = typed.formula;
      s.exact = typed.exact;
      s.x0 = study::shortestText(check.problem->x0);
      s.y0 = study::shortestText(check.problem->y0);
      problem = *check.problem;
      problem.x1 = problem.x0 + 1.0;
    } else {
      for (const auto& [name, why] :
           {std::pair{"f", check.f}, {"x0", check.x0}, {"y0", check.y0}, {"exact", check.exact}})
        if (!why.empty()) ignore(name, why.substr(0, why.size() - 1));
    }
  } else {
    // A preset from another start, as `kemi-lab --equation ID --x0 X --y0 Y` studies it.
    for (auto [name, text, value] :
         {std::tuple{"x0", &asked.x0, &problem.x0}, std::tuple{"y0", &asked.y0, &problem.y0}}) {
      if (text->empty()) continue;
      const std::optional<double> v = study::readNumber(*text);
      if (v && std::isfinite(*v)) {
        *value = *v;
        (name == std::string("x0") ? s.x0 : s.y0) = study::shortestText(*v);
      } else {
        ignore(name, "not a finite number");
      }
    }
    if (!asked.exact.empty()) ignore("exact", "an exact solution belongs to a typed f");
  }
  s.x1 = study::shortestText(problem.x1);
  if (!asked.x1.empty()) {
    const std::optional<double> x1 = study::readNumber(asked.x1);
    if (!x1 || !std::isfinite(*x1) || *x1 == problem.x0)
      ignore("x1", "not a finite number other than x0 = " + study::shortestText(problem.x0));
    else
      s.x1 = study::shortestText(*x1);
  }
  s.n = "8";
  if (!asked.n.empty())
    if (const std::string why = readCount(asked.n, study::kMaxPolygonSteps, s.n); !why.empty())
      ignore("n", why);
  s.maxn = "16777216";
  if (!asked.maxn.empty())
    if (const std::string why = readCount(asked.maxn, study::kMaxSteps, s.maxn); !why.empty())
      ignore("maxn", why);
  s.method = "RK4";
  if (!asked.method.empty()) {
    if (const auto m = study::methodById(asked.method))
      s.method = std::string(kMethods[*m].id);
    else
      ignore("method", "unknown method (one of " + study::methodIdsText() + ")");
  }
  s.methods = study::methodIdsText();
  s.methods.erase(std::remove(s.methods.begin(), s.methods.end(), ' '), s.methods.end());
  if (!asked.methods.empty()) {
    const study::MethodList list = study::readMethodList(asked.methods);
    if (!list.unknown.empty() || list.methods.empty()) {
      ignore("methods", "unknown method (one of " + study::methodIdsText() + ")");
    } else {
      s.methods.clear();
      for (const std::size_t m : list.methods)
        s.methods += (s.methods.empty() ? "" : ",") + std::string(kMethods[m].id);
    }
  }
  return r;
}

TableText compareCsv(const LabSetup& s) {
  return guarded([&] {
    const study::CompareTable t = study::compareTable(setupProblem(s), whole(s.n), methodsOf(s));
    return TableText{study::toCsv(t.table), t.notes, {}};
  });
}

TableText stepsCsv(const LabSetup& s) {
  return guarded([&] {
    const std::size_t method = *study::methodById(s.method);
    const study::StepTable table = study::buildStepTable(setupProblem(s), method, whole(s.n));
    TableText t{study::toCsv(study::stepText(table)), {}, {}};
    if (!table.cause.empty())
      t.notes.push_back(std::string(kMethods[method].id) + " stops after step " +
                        std::to_string(table.rows.back().i) + ": " + table.cause);
    return t;
  });
}

TableText stabilityCsv(const LabSetup& s) {
  return guarded([&] {
    return TableText{study::toCsv(study::problemStabilityText(
                         study::problemStabilityRows(setupProblem(s), methodsOf(s)))),
                     {},
                     {}};
  });
}

TableText convergenceCsv(const LabSetup& s, bool withHeader,
                         const std::function<void(const std::string&)>& row) {
  return guarded([&] {
    const study::Problem problem = setupProblem(s);
    study::ConvergenceSettings settings;
    settings.x1 = problem.x1;
    settings.maxN = whole(s.maxn);
    settings.methods = methodsOf(s);
    const bool exact = study::hasExactSolution(problem.equation);
    study::SweepCallbacks callbacks;
    if (row)
      callbacks.row = [&](const study::ConvergenceRow& r) {
        std::string line = study::toCsv(study::convergenceText({r}, exact));
        row(line.erase(0, line.find('\n') + 1));
      };
    const study::ConvergenceResult result = study::runConvergence(problem, settings, {}, callbacks);
    study::TextTable table = study::convergenceText(result.rows, result.exact);
    TableText t;
    t.csv = study::toCsv(table);
    if (!withHeader) t.csv.erase(0, t.csv.find('\n') + 1);
    for (const study::MethodEnd& end : result.ends)
      if (!end.cause.empty())
        t.notes.push_back(
            std::string(kMethods[end.method].id) +
            (end.lastN == 0 ? " has no row" : " stops after N = " + std::to_string(end.lastN)) +
            ": " + end.cause);
    return t;
  });
}

}  // namespace kemi::web
