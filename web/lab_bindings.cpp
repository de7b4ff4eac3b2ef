// The lab page's module: the setup, the four tables and what the pictures need, for the page's
// Web Workers. Everything crosses as strings and plain arrays.
#include <emscripten/bind.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/method_table.h"
#include "study/own_equation.h"
#include "study/problem.h"
#include "study/solution.h"
#include "study/stability.h"
#include "study/stability_region.h"
#include "study/step_solution.h"
#include "study/step_table.h"
#include "study/study_input.h"
#include "study/text_table.h"
#include "web/lab_page.h"

namespace {

using emscripten::val;

kemi::web::LabSetup setupOf(const val& v) {
  const auto field = [&v](const char* name) {
    const val f = v[name];
    return f.isString() ? f.as<std::string>() : std::string();
  };
  return {field("eq"), field("f"), field("x0"),   field("y0"),     field("exact"),
          field("x1"), field("n"), field("maxn"), field("method"), field("methods")};
}

val setupValue(const kemi::web::LabSetup& s) {
  val out = val::object();
  const std::pair<const char*, const std::string*> fields[] = {
      {"eq", &s.eq},         {"f", &s.f},
      {"x0", &s.x0},         {"y0", &s.y0},
      {"exact", &s.exact},   {"x1", &s.x1},
      {"n", &s.n},           {"maxn", &s.maxn},
      {"method", &s.method}, {"methods", &s.methods}};
  for (const auto& [name, value] : fields) out.set(name, *value);
  return out;
}

val strings(const std::vector<std::string>& lines) {
  val out = val::array();
  for (const std::string& line : lines) out.call<void>("push", line);
  return out;
}

// A typed array that owns a copy of the numbers.
template <class T>
val copied(const std::vector<T>& values) {
  return val(emscripten::typed_memory_view(values.size(), values.data())).call<val>("slice");
}

val tableValue(const kemi::web::TableText& t) {
  val out = val::object();
  out.set("csv", t.csv);
  out.set("notes", strings(t.notes));
  out.set("error", t.error);
  return out;
}

val readSetup(const val& asked) {
  const kemi::web::SetupReading r = kemi::web::readSetup(setupOf(asked));
  val out = val::object();
  out.set("setup", setupValue(r.setup));
  out.set("ignored", strings(r.ignored));
  return out;
}

val presets() {
  val out = val::array();
  for (const kemi::study::PresetInfo& info : kemi::study::presetInfos()) {
    const kemi::study::Problem p = kemi::study::presetProblem(*kemi::study::presetById(info.id));
    val one = val::object();
    one.set("id", std::string(info.id));
    one.set("caption", kemi::study::writtenCaption(p));
    one.set("x0", kemi::study::shortestText(p.x0));
    out.call<void>("push", one);
  }
  return out;
}

val methods() {
  val out = val::array();
  for (const kemi::MethodInfo& m : kemi::kMethods) {
    val one = val::object();
    one.set("id", std::string(m.id));
    one.set("caption", std::string(m.caption));
    out.call<void>("push", one);
  }
  return out;
}

val checkEquation(const std::string& f, const std::string& x0, const std::string& y0,
                  const std::string& exact) {
  const kemi::study::OwnEquationReasons r = kemi::study::checkOwnEquation({f, x0, y0, exact});
  val out = val::object();
  out.set("f", r.f);
  out.set("x0", r.x0);
  out.set("y0", r.y0);
  out.set("exact", r.exact);
  return out;
}

val convergence(const val& setup, bool withHeader, val onRow) {
  return tableValue(kemi::web::convergenceCsv(setupOf(setup), withHeader,
                                              [&onRow](const std::string& line) { onRow(line); }));
}

// The slope f(x, y) on a grid of nx x ny points over the rectangle, row by row from y = yMin;
// NaN where f is not finite there.
val slopes(const val& setup, double xMin, double xMax, double yMin, double yMax, int nx, int ny) {
  const auto f = kemi::study::slopeFunction(kemi::web::setupProblem(setupOf(setup)).equation);
  std::vector<double> out;
  for (int j = 0; j < ny; ++j)
    for (int i = 0; i < nx; ++i)
      out.push_back(
          f(xMin + (xMax - xMin) * (i + 0.5) / nx, yMin + (yMax - yMin) * (j + 0.5) / ny));
  return copied(out);
}

// The solution through the start at count + 1 abscissae from x0 to x1, with its accuracy (0 for
// an exact solution).
val solutionCurve(const val& setup, int count) {
  val out = val::object();
  try {
    const kemi::study::Problem p = kemi::web::setupProblem(setupOf(setup));
    const std::vector<double> xs = kemi::study::sampleAbscissae(p, count);
    const kemi::study::Solution solution(p, xs);
    std::vector<double> ys;
    for (const double x : xs) ys.push_back(solution.at(x));
    out.set("xs", copied(xs));
    out.set("ys", copied(ys));
    out.set("accuracy", solution.accuracy());
  } catch (const std::exception& e) {
    out.set("error", std::string(e.what()));
  }
  return out;
}

// |R(z)| <= 1 of one method on a width x height grid, one byte per pixel from the top row;
// its real-axis limit, and whether z = h * lambda (real) is stable with it.
val region(int method, double reMin, double reMax, double imMin, double imMax, int width,
           int height, double z) {
  const auto m = static_cast<std::size_t>(method);
  val out = val::object();
  out.set("mask", copied(kemi::study::regionMask(m, {reMin, reMax, imMin, imMax, width, height})));
  out.set("limit", kemi::study::stabilityLimit(m));
  out.set("stable", kemi::study::stableAt(m, {z, 0.0}));
  return out;
}

// The step that ends in row `row` of the setup's step table at N = n: its start and end, its
// stages as recorded, its estimate (NaN without one) and the solution through its start.
val stage(const val& setup, int row, double n) {
  const kemi::web::LabSetup s = setupOf(setup);
  const kemi::study::Problem problem = kemi::web::setupProblem(s);
  const std::size_t method = *kemi::study::methodById(s.method);
  const kemi::study::StepTable table =
      kemi::study::buildStepTable(problem, method, static_cast<std::int64_t>(n));
  val out = val::object();
  const auto r = static_cast<std::size_t>(row);
  if (row < 1 || r >= table.rows.size()) return out;
  const kemi::study::StepRow& before = table.rows[r - 1];
  const kemi::study::StepRow& after = table.rows[r];
  const kemi::StageRecord& st = after.stages;
  const auto first = [&st](const auto& values) {
    return copied(std::vector<double>(values.begin(), values.begin() + st.evaluations));
  };
  out.set("i", static_cast<double>(after.i));
  out.set("start", val::array(std::vector<double>{before.x, before.y}));
  out.set("end", val::array(std::vector<double>{after.x, after.y}));
  out.set("estimate", table.hasEstimate ? after.estimate : NAN);
  out.set("x", first(st.x));
  out.set("y", first(st.y));
  out.set("slope", first(st.slope));
  out.set("k", first(st.k));
  out.set("stages", st.stages);
  const kemi::study::StepSolution through =
      kemi::study::stepSolution(problem.equation, before.x, before.y, after.x);
  out.set("xs", copied(through.xs));
  out.set("ys", copied(through.ys));
  out.set("reference", through.reference);
  return out;
}

// R(-h) of one method at `samples` equally spaced h up to hMax, and its stability limit.
val amplification(int method, double hMax, int samples) {
  const auto m = static_cast<std::size_t>(method);
  std::vector<double> hs;
  std::vector<double> rs;
  for (const kemi::study::AmplificationPoint& p :
       kemi::study::amplificationCurve(m, hMax, samples)) {
    hs.push_back(p.h);
    rs.push_back(p.r);
  }
  val out = val::object();
  out.set("h", copied(hs));
  out.set("r", copied(rs));
  out.set("limit", kemi::study::stabilityLimit(m));
  return out;
}

}  // namespace

EMSCRIPTEN_BINDINGS(kemi_lab) {
  emscripten::function("readSetup", &readSetup);
  emscripten::function("presets", &presets);
  emscripten::function("methods", &methods);
  emscripten::function("checkEquation", &checkEquation);
  emscripten::function(
      "compare", +[](const val& s) { return tableValue(kemi::web::compareCsv(setupOf(s))); });
  emscripten::function(
      "steps", +[](const val& s) { return tableValue(kemi::web::stepsCsv(setupOf(s))); });
  emscripten::function(
      "stability", +[](const val& s) { return tableValue(kemi::web::stabilityCsv(setupOf(s))); });
  emscripten::function("convergence", &convergence);
  emscripten::function("slopes", &slopes);
  emscripten::function("solutionCurve", &solutionCurve);
  emscripten::function("region", &region);
  emscripten::function("stage", &stage);
  emscripten::function("amplification", &amplification);
}
