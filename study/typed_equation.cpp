// Typed expressions through muParser, with its errors turned into one sentence for a student.
#include "study/typed_equation.h"

#include <muParser.h>

#ifdef __EMSCRIPTEN__
#include <fast_float/fast_float.h>
#endif

#include <cctype>
#include <cmath>
#include <numbers>

namespace kemi::study {
namespace {

bool wordChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '.';
}

// "2x", "2 x", "x y", "(x)(y)", "2sin(x)": a value followed by another with no operator between.
// The suggestion shows the text around the place with a '*' put in.
std::optional<std::string> implicitProduct(const std::string& text, int pos) {
  if (pos <= 0 || static_cast<std::size_t>(pos) >= text.size()) return std::nullopt;
  auto left = static_cast<std::size_t>(pos);
  while (left > 0 && text[left - 1] == ' ') --left;
  if (left == 0) return std::nullopt;
  const char before = text[left - 1];
  if (!wordChar(before) && before != ')') return std::nullopt;
  constexpr std::size_t kAround = 12;
  const std::size_t from = left > kAround ? left - kAround : 0;
  const auto right = static_cast<std::size_t>(pos);
  const std::string fixed = (from > 0 ? "..." : "") + text.substr(from, left - from) + "*" +
                            text.substr(right, kAround) +
                            (right + kAround < text.size() ? "..." : "");
  const std::string typed = (from > 0 ? "..." : "") + text.substr(from, right - from + kAround) +
                            (right + kAround < text.size() ? "..." : "");
  return "implicit multiplication at position " + std::to_string(pos) + ": write " + fixed +
         ", not " + typed;
}

std::string sentence(const mu::Parser::exception_type& e, const std::string& text, bool withY) {
  const int pos = e.GetPos();
  const std::string& token = e.GetToken();
  switch (e.GetCode()) {
    case mu::ecEMPTY_EXPRESSION:
      return "the expression is empty";
    case mu::ecUNASSIGNABLE_TOKEN:
      if (!token.empty() &&
          (std::isdigit(static_cast<unsigned char>(token[0])) != 0 || token[0] == '.'))
        return "the number '" + token + "' at position " + std::to_string(pos) +
               " is not one a double can hold";
      return "unknown variable or function '" + token + "' at position " + std::to_string(pos) +
             (withY ? "; the variables are x and y" : "; the variable is x") +
             ", the constants pi and e, the functions sin, cos, tan, asin, acos, atan, sinh, "
             "cosh, tanh, exp, ln, log, log10, log2, sqrt, abs, sign, min, max";
    case mu::ecUNEXPECTED_VAR:
    case mu::ecUNEXPECTED_FUN:
    case mu::ecUNEXPECTED_PARENS:
    case mu::ecUNEXPECTED_VAL:
      if (const std::optional<std::string> product = implicitProduct(text, pos)) return *product;
      break;
    case mu::ecINTERNAL_ERROR:
      // muParser gives up on an operator that nothing follows (such as "x-+") this way.
      return (static_cast<std::size_t>(pos) >= text.size() ? "unexpected end of expression"
                                                           : "the expression cannot be read") +
             std::string(" at position ") + std::to_string(pos);
    default:
      break;
  }
  std::string message = e.GetMsg();
  while (!message.empty() && (message.back() == '.' || message.back() == ' ')) message.pop_back();
  if (!message.empty()) message[0] = static_cast<char>(std::tolower(message[0]));
  if (message.find("position") == std::string::npos && pos >= 0)
    message += " at position " + std::to_string(pos);
  return message;
}

#ifdef __EMSCRIPTEN__
// muParser reads numbers through a stream. Emscripten's C++ library (libc++) takes "2x" as one
// malformed number where glibc's (libstdc++) reads the 2 and stops, so the browser build would
// word "2x+" differently from the desktop. This reader, tried before muParser's own, reads a
// number as libstdc++ does: a sign, digits with at most one point, and an exponent only with
// its digits (a bare "1e" is no number), and nothing beyond the range of a double.
int decimalValue(const char* text, int* pos, double* value) {
  const char* p = text;
  if (*p == '+' || *p == '-') ++p;
  const char* digits = p;
  while (std::isdigit(static_cast<unsigned char>(*p)) != 0) ++p;
  if (*p == '.') ++p;
  while (std::isdigit(static_cast<unsigned char>(*p)) != 0) ++p;
  if (p == digits || (p == digits + 1 && *digits == '.')) return 0;
  if (*p == 'e' || *p == 'E') {
    const char* e = p + 1;
    if (*e == '+' || *e == '-') ++e;
    if (std::isdigit(static_cast<unsigned char>(*e)) == 0) return 0;
    while (std::isdigit(static_cast<unsigned char>(*e)) != 0) ++e;
    p = e;
  }
  const char* first = *text == '+' ? text + 1 : text;
  const auto [end, error] = fast_float::from_chars(first, p, *value);
  // Beyond the range of a double the stream fails; one too small reads as its zero.
  if (error != std::errc() || end != p || !std::isfinite(*value)) return 0;
  *pos += static_cast<int>(p - text);
  return 1;
}
#endif

double naturalLog(double v) {
  return std::log(v);
}

}  // namespace

// One parser per evaluator, so per thread. muParser's static state (its number locale, its debug
// flags, its table of error texts, made once on first use) is only read while parsers parse and
// evaluate: it is written only by SetDecSep, SetThousandsSep and ResetLocale, which Kemi never
// calls, so parsers on separate threads share nothing that changes.
struct Evaluator::Parts {
  mu::Parser parser;
  double x = 0.0;
  double y = 0.0;
};

Evaluator::Evaluator(const std::string& text, bool withY) : parts_(std::make_unique<Parts>()) {
  if (text.size() > kMaxExpressionLength)
    throw ExpressionError("the expression is longer than " + std::to_string(kMaxExpressionLength) +
                          " characters");
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e)
      throw ExpressionError("the expression holds a character other than printable ASCII");
  mu::Parser& p = parts_->parser;
  try {
#ifdef __EMSCRIPTEN__
    p.AddValIdent(&decimalValue);
#endif
    p.DefineVar("x", &parts_->x);
    if (withY) p.DefineVar("y", &parts_->y);
    // ln and log both the natural logarithm, as in C and most textbooks.
    p.DefineFun("ln", &naturalLog);
    p.DefineFun("log", &naturalLog);
    p.DefineConst("pi", std::numbers::pi);
    p.DefineConst("e", std::numbers::e);
    p.SetExpr(text);
    static_cast<void>(p.Eval());  // parses now, so that errors show here and not in a loop
    if (p.GetNumResults() != 1)
      throw ExpressionError("the expression holds a ',' outside a function's arguments");
  } catch (const mu::Parser::exception_type& e) {
    throw ExpressionError(sentence(e, text, withY));
  }
}

Evaluator::~Evaluator() = default;
Evaluator::Evaluator(Evaluator&&) noexcept = default;
Evaluator& Evaluator::operator=(Evaluator&&) noexcept = default;

double Evaluator::operator()(const double& x, const double& y) const {
  parts_->x = x;
  parts_->y = y;
  try {
    return parts_->parser.Eval();
  } catch (const mu::Parser::exception_type&) {
    return NAN;  // a runtime error in a function is a value outside the double range here
  }
}

std::optional<std::string> expressionProblem(const std::string& text, bool withY) {
  try {
    const Evaluator check(text, withY);
  } catch (const ExpressionError& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

TypedEquation::TypedEquation(std::string f, std::string exactSolution)
    : formula(std::move(f)), exact(std::move(exactSolution)) {
  static_cast<void>(evaluator());
  if (!exact.empty()) static_cast<void>(exactEvaluator());
}

double TypedEquation::dfdy(const Evaluator& f, double x, double y) {
  const double d = 1e-6 * std::max(1.0, std::abs(y));
  return (f(x, y + d) - f(x, y - d)) / (2.0 * d);
}

}  // namespace kemi::study
