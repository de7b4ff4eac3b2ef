// The figure layer for the lab page's own thread: the pictures' drawing commands and their
// descriptions. The Solution picture is built synchronously on every redraw while the student
// pans and zooms; the regions and the stages arrive from the workers as numbers.
#include <emscripten/bind.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "plot/figure/description.h"
#include "plot/figure/region_figure.h"
#include "plot/figure/stage_figure.h"
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

val boxValue(const kemi::figure::ViewBox& b) {
  val out = val::object();
  out.set("x0", b.xMin);
  out.set("x1", b.xMax);
  out.set("y0", b.yMin);
  out.set("y1", b.yMax);
  return out;
}

template <class T>
val copied(const std::vector<T>& v) {
  return val(emscripten::typed_memory_view(v.size(), v.data())).call<val>("slice");
}

std::vector<std::string> strings(const val& v) {
  std::vector<std::string> out;
  for (int i = 0; i < v["length"].as<int>(); ++i) out.push_back(v[i].as<std::string>());
  return out;
}

// The page's font: its ascent, line height and a function measuring a text's width.
kemi::figure::TextMetrics metricsOf(const val& m) {
  const val measure = m["measure"];
  return {m["ascent"].as<double>(), m["lineHeight"].as<double>(),
          [measure](const std::string& s) { return measure(s).as<double>(); }};
}

// Commands as the page's replay reads them; images as straight (not premultiplied) RGBA bytes,
// as a canvas's ImageData holds them.
val commandsValue(const kemi::figure::Commands& commands) {
  val out = val::object();
  out.set("ops", copied(commands.ops));
  val texts = val::array();
  for (const std::string& t : commands.texts) texts.call<void>("push", t);
  out.set("texts", texts);
  val images = val::array();
  for (const kemi::figure::Image& image : commands.images) {
    std::vector<std::uint8_t> rgba;
    rgba.reserve(image.pixels.size() * 4);
    for (const std::uint32_t p : image.pixels) {
      const std::uint32_t a = p >> 24;
      for (const int shift : {16, 8, 0})
        rgba.push_back(
            a == 0 ? 0 : static_cast<std::uint8_t>((((p >> shift) & 0xFF) * 255 + a / 2) / a));
      rgba.push_back(static_cast<std::uint8_t>(a));
    }
    val v = val::object();
    v.set("width", image.width);
    v.set("height", image.height);
    v.set("rgba", copied(rgba));
    images.call<void>("push", v);
  }
  out.set("images", images);
  const kemi::figure::Rect p = commands.plot;
  out.set("plot", val::array(std::vector<double>{p.left, p.top, p.width, p.height}));
  return out;
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
    kemi::web::FigureCurve curve{
        c["method"].as<int>(), c["dashed"].as<bool>(), c["name"].as<std::string>(), {}};
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
  input.metrics = metricsOf(in["metrics"]);
  return commandsValue(kemi::web::solutionFigure(input));
}

// The plot and plane of the region picture, for the masks the workers evaluate.
val regionPlane(double width, double height, double z) {
  const kemi::figure::RegionPlane plane = kemi::figure::regionPlane(width, height, z);
  val out = val::object();
  out.set("box", boxValue(plane.box));
  out.set("columns", plane.columns);
  out.set("rows", plane.rows);
  return out;
}

val regionFigure(const val& in) {
  kemi::figure::RegionFigureInput input;
  input.width = in["width"].as<double>();
  input.height = in["height"].as<double>();
  input.z = in["z"].as<double>();
  input.plane = kemi::figure::regionPlane(input.width, input.height, input.z);
  const val masks = in["masks"];
  for (int i = 0; i < masks["length"].as<int>(); ++i)
    input.masks.push_back(emscripten::convertJSArrayToNumberVector<std::uint8_t>(masks[i]));
  for (const double m : numbers(in["methods"]))
    input.methods.push_back(static_cast<std::size_t>(m));
  input.limits = numbers(in["limits"]);
  input.title = in["title"].as<std::string>();
  input.reLabel = in["reLabel"].as<std::string>();
  input.imLabel = in["imLabel"].as<std::string>();
  input.names = strings(in["names"]);
  input.pointText = in["pointText"].as<std::string>();
  input.stepText = in["stepText"].as<std::string>();
  input.metrics = metricsOf(in["metrics"]);
  if (input.names.size() != input.methods.size() || input.limits.size() != input.methods.size())
    return val::null();
  return commandsValue(kemi::figure::regionFigure(input));
}

// The step a worker's `stage` answered, drawn as the window draws it.
val stageFigure(const val& in) {
  kemi::figure::StageFigureInput input;
  input.width = in["width"].as<double>();
  input.height = in["height"].as<double>();
  input.title = in["title"].as<std::string>();
  input.method = in["method"].as<std::size_t>();
  input.metrics = metricsOf(in["metrics"]);
  const std::vector<std::string> legend = strings(in["legend"]);
  for (std::size_t i = 0; i < input.legend.size() && i < legend.size(); ++i)
    input.legend[i] = legend[i];
  const val step = in["step"];
  input.shown = !step.isUndefined() && !step.isNull() && step.hasOwnProperty("i");
  if (input.shown) {
    input.start = {step["start"][0].as<double>(), step["start"][1].as<double>()};
    input.end = {step["end"][0].as<double>(), step["end"][1].as<double>()};
    input.estimate = step["estimate"].as<double>();
    const std::vector<double> xs = numbers(step["x"]), ys = numbers(step["y"]),
                              slopes = numbers(step["slope"]), ks = numbers(step["k"]);
    input.stages.stages = step["stages"].as<int>();
    input.stages.evaluations = static_cast<int>(
        std::min({xs.size(), ys.size(), slopes.size(), std::size_t{kemi::StageRecord::kMost}}));
    for (std::size_t e = 0; e < static_cast<std::size_t>(input.stages.evaluations); ++e) {
      input.stages.x[e] = xs[e];
      input.stages.y[e] = ys[e];
      input.stages.slope[e] = slopes[e];
      if (e < ks.size()) input.stages.k[e] = ks[e];
    }
    const std::vector<double> sx = numbers(step["xs"]), sy = numbers(step["ys"]);
    for (std::size_t k = 0; k < sx.size() && k < sy.size(); ++k)
      input.solution.push_back({sx[k], sy[k]});
    input.reference = step["reference"].as<bool>();
    input.box = kemi::figure::stageBox(input.start, input.end, input.estimate, input.stages,
                                       input.solution);
  }
  return commandsValue(kemi::figure::stageFigure(input));
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

// The window's sentences for the regions and the step, from the page's number texts.
std::string regionDescription(const val& f) {
  kemi::figure::RegionFacts facts;
  facts.methods = strings(f["methods"]);
  facts.marked = f["marked"].as<bool>();
  if (facts.marked) {
    facts.z = f["z"].as<std::string>();
    facts.h = f["h"].as<std::string>();
    facts.lambda = f["lambda"].as<std::string>();
    facts.rightHalf = f["rightHalf"].as<bool>();
    facts.stable = strings(f["stable"]);
    facts.unstable = strings(f["unstable"]);
  }
  return kemi::figure::regionDescription(facts);
}

std::string stageDescription(const val& f) {
  kemi::figure::StageFacts facts;
  facts.title = f["title"].as<std::string>();
  facts.shown = f["shown"].as<bool>();
  if (facts.shown) {
    facts.start = f["start"].as<std::string>();
    facts.end = f["end"].as<std::string>();
    const val stages = f["stages"];
    for (int i = 0; i < stages["length"].as<int>(); ++i)
      facts.stages.push_back({stages[i]["slope"].as<std::string>(),
                              stages[i]["at"].as<std::string>(), stages[i]["k"].as<std::string>()});
    facts.solutionKind = f["solutionKind"].as<std::string>();
    facts.solutionY = f["solutionY"].as<std::string>();
    facts.solutionX = f["solutionX"].as<std::string>();
    facts.estimate = f["estimate"].as<std::string>();
    facts.lowerEnd = f["lowerEnd"].as<std::string>();
  }
  return kemi::figure::stageDescription(facts);
}

}  // namespace

EMSCRIPTEN_BINDINGS(kemi_figure) {
  emscripten::function("solutionFigure", &solutionFigure);
  emscripten::function("solutionDescription", &solutionDescription);
  emscripten::function("regionPlane", &regionPlane);
  emscripten::function("regionFigure", &regionFigure);
  emscripten::function("stageFigure", &stageFigure);
  emscripten::function("regionDescription", &regionDescription);
  emscripten::function("stageDescription", &stageDescription);
  emscripten::function("roundedText", &kemi::web::roundedText);
}
