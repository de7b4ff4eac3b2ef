// The figure layer for the lab page's own thread: the Solution picture's drawing commands and
// its description, built synchronously on every redraw while the student pans and zooms.
#include <emscripten/bind.h>

#include <cmath>
#include <string>
#include <vector>

#include "plot/figure/description.h"
#include "web/lab_figure.h"

namespace {

using emscripten::val;

std::vector<double> numbers(const val& v) {
  return v.isUndefined() || v.isNull() ? std::vector<double>{}
                                       : emscripten::convertJSArrayToNumberVector<double>(v);
}

kemi::figure::ViewBox boxOf(const val& b) {
  return {b["x0"].as<double>(), b["x1"].as<double>(), b["y0"].as<double>(), b["y1"].as<double>()};
}

val solutionFigure(const val& in) {
  kemi::web::SolutionFigureInput input;
  input.width = in["width"].as<double>();
  input.height = in["height"].as<double>();
  input.box = boxOf(in["box"]);
  const val curves = in["curves"];
  const int count = curves["length"].as<int>();
  for (int i = 0; i < count; ++i) {
    const val c = curves[i];
    kemi::web::FigureCurve curve{c["method"].as<int>(),
                                 c["dashed"].as<bool>(),
                                 c["name"].as<std::string>(),
                                 c["textWidth"].as<double>(),
                                 {}};
    const std::vector<double> xs = numbers(c["xs"]);
    const std::vector<double> ys = numbers(c["ys"]);
    for (std::size_t k = 0; k < xs.size() && k < ys.size(); ++k)
      curve.world.push_back({xs[k], ys[k]});
    input.curves.push_back(std::move(curve));
  }
  input.start = {in["start"][0].as<double>(), in["start"][1].as<double>()};
  const val field = in["field"];
  if (!field.isUndefined() && !field.isNull()) {
    input.fieldBox = boxOf(field["box"]);
    input.columns = field["columns"].as<int>();
    input.rows = field["rows"].as<int>();
    input.slopes = numbers(field["slopes"]);
  }
  input.rowHeight = in["rowHeight"].as<double>();
  const kemi::web::FigureCommands commands = kemi::web::solutionFigure(input);
  val out = val::object();
  out.set("ops", val(emscripten::typed_memory_view(commands.ops.size(), commands.ops.data()))
                     .call<val>("slice"));
  val texts = val::array();
  for (const std::string& t : commands.texts) texts.call<void>("push", t);
  out.set("texts", texts);
  const kemi::figure::Rect p = commands.plot;
  out.set("plot", val::array(std::vector<double>{p.left, p.top, p.width, p.height}));
  return out;
}

// The window's sentence for the picture; errors as numbers (NaN: unknown), written to three
// significant digits as the window writes them.
std::string solutionDescription(const val& f) {
  kemi::figure::SolutionFacts facts;
  facts.caption = f["caption"].as<std::string>();
  facts.x0 = f["x0"].as<std::string>();
  facts.x1 = f["x1"].as<std::string>();
  facts.n = f["n"].as<std::string>();
  const std::string drawn = f["drawn"].as<std::string>();
  facts.drawn = drawn == "exact"       ? kemi::figure::SolutionFacts::Drawn::Exact
                : drawn == "reference" ? kemi::figure::SolutionFacts::Drawn::Reference
                                       : kemi::figure::SolutionFacts::Drawn::None;
  facts.accuracy = kemi::web::roundedText(f["accuracy"].as<double>(), 2);
  const val methods = f["methods"];
  const std::vector<double> errors = numbers(f["errors"]);
  for (int i = 0; i < methods["length"].as<int>(); ++i) {
    facts.methods.push_back(methods[i].as<std::string>());
    const double e = static_cast<std::size_t>(i) < errors.size() ? errors[i] : NAN;
    facts.errors.push_back(std::isnan(e) ? std::string("unknown") : kemi::web::roundedText(e, 3));
  }
  facts.note = f["note"].as<std::string>();
  return kemi::figure::solutionDescription(facts);
}

}  // namespace

EMSCRIPTEN_BINDINGS(kemi_figure) {
  emscripten::function("solutionFigure", &solutionFigure);
  emscripten::function("solutionDescription", &solutionDescription);
  emscripten::function("roundedText", &kemi::web::roundedText);
}
