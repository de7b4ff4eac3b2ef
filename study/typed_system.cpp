// Typed systems through muParser: two named state variables besides x, errors as one sentence.
#include "study/typed_system.h"

#include <muParser.h>

#include <cmath>
#include <numbers>

namespace kemi::study {
namespace {

double naturalLog(double v) {
  return std::log(v);
}

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string variablesText(const std::string& first, const std::string& second) {
  if (first.empty()) return "the variable is x";
  return "the variables are x, " + first + " and " + second;
}

}  // namespace

struct NamedExpression::Parts {
  mu::Parser parser;
  double x = 0.0;
  double a = 0.0;
  double b = 0.0;
};

NamedExpression::NamedExpression(const std::string& text, const std::string& first,
                                 const std::string& second)
    : parts_(std::make_unique<Parts>()) {
  // The one-equation reader refuses what no variable set would accept (length, characters,
  // syntax) with its own sentences; only the variables are checked here.
  if (const std::optional<std::string> why = expressionProblem(text, true); why) {
    if (why->find("unknown variable") == std::string::npos) throw ExpressionError(*why);
  }
  mu::Parser& p = parts_->parser;
  try {
    p.DefineVar("x", &parts_->x);
    if (!first.empty()) {
      p.DefineVar(first, &parts_->a);
      p.DefineVar(second, &parts_->b);
    }
    p.DefineFun("ln", &naturalLog);
    p.DefineFun("log", &naturalLog);
    p.DefineConst("pi", std::numbers::pi);
    p.DefineConst("e", std::numbers::e);
    p.SetExpr(text);
    static_cast<void>(p.Eval());
    if (p.GetNumResults() != 1)
      throw ExpressionError("the expression holds a ',' outside a function's arguments");
  } catch (const mu::Parser::exception_type& e) {
    if (e.GetCode() == mu::ecUNASSIGNABLE_TOKEN)
      throw ExpressionError("unknown variable or function '" + e.GetToken() + "' at position " +
                            std::to_string(e.GetPos()) + "; " + variablesText(first, second));
    throw ExpressionError(e.GetMsg() + " at position " + std::to_string(e.GetPos()));
  }
}

NamedExpression::~NamedExpression() = default;
NamedExpression::NamedExpression(NamedExpression&&) noexcept = default;
NamedExpression& NamedExpression::operator=(NamedExpression&&) noexcept = default;

double NamedExpression::operator()(double x, double a, double b) const {
  parts_->x = x;
  parts_->a = a;
  parts_->b = b;
  try {
    return parts_->parser.Eval();
  } catch (const mu::Parser::exception_type&) {
    return NAN;
  }
}

bool NamedExpression::uses(const std::string& name) const {
  const mu::varmap_type used = parts_->parser.GetUsedVar();
  return used.find(name) != used.end();
}

std::vector<std::string> splitParts(const std::string& text, std::size_t count,
                                    const std::string& what) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  while (true) {
    const std::size_t semicolon = text.find(';', from);
    parts.push_back(trimmed(text.substr(from, semicolon - from)));
    if (semicolon == std::string::npos) break;
    from = semicolon + 1;
  }
  if (parts.size() != count)
    throw ExpressionError(what + " needs " + std::to_string(count) +
                          " expressions separated by ';', not " + std::to_string(parts.size()));
  return parts;
}

namespace {

// Checks every text against its variables; a refusal names the part it is in.
void checkTexts(const TypedSystem& s) {
  const auto check = [](const std::string& text, const std::string& part, const std::string& a,
                        const std::string& b) {
    try {
      const NamedExpression e(text, a, b);
    } catch (const ExpressionError& error) {
      throw ExpressionError(part + ": " + error.what());
    }
  };
  for (std::size_t i = 0; i < s.formulas.size(); ++i)
    check(s.formulas[i], s.secondOrder ? "g" : "f" + std::to_string(i + 1), s.firstName(),
          s.secondName());
  for (std::size_t i = 0; i < s.exact.size(); ++i)
    check(s.exact[i], "exact solution " + std::to_string(i + 1), "", "");
  if (!s.invariant.empty()) check(s.invariant, "invariant", s.firstName(), s.secondName());
}

}  // namespace

TypedSystem TypedSystem::firstOrder(const std::string& f, const std::string& exact,
                                    const std::string& invariant) {
  TypedSystem s;
  s.formulas = splitParts(f, 2, "f");
  if (!exact.empty()) s.exact = splitParts(exact, 2, "the exact solution");
  s.invariant = invariant;
  checkTexts(s);
  return s;
}

TypedSystem TypedSystem::fromSecondOrder(const std::string& g, const std::string& exact,
                                         const std::string& invariant) {
  TypedSystem s;
  s.secondOrder = true;
  if (g.find(';') != std::string::npos)
    throw ExpressionError("g is one expression in x, y and v, without ';'");
  s.formulas = {trimmed(g)};
  if (!exact.empty()) s.exact = splitParts(exact, 2, "the exact solution");
  s.invariant = invariant;
  checkTexts(s);
  s.usesVelocity = NamedExpression(s.formulas[0], "y", "v").uses("v");
  return s;
}

std::string TypedSystem::formulaText() const {
  if (secondOrder) return "y'' = " + formulas[0];
  return formulas[0] + "; " + formulas[1];
}

TypedSystem::Slope::Slope(const TypedSystem& system) : secondOrder_(system.secondOrder) {
  for (const std::string& f : system.formulas)
    f_.emplace_back(f, system.firstName(), system.secondName());
}

Vec2 TypedSystem::Slope::operator()(const double& x, const Vec2& y) const {
  if (secondOrder_) return {{y[1], f_[0](x, y[0], y[1])}};
  return {{f_[0](x, y[0], y[1]), f_[1](x, y[0], y[1])}};
}

}  // namespace kemi::study
