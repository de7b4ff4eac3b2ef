// Systems a student types: two right-hand sides in x, y1 and y2, or one second-order equation
// y'' = g(x, y, v) with v = y', turned into y1' = y2, y2' = g(x, y1, y2). Exact solutions and an
// invariant are typed the same way. Each text is read by muParser when the system is made; each
// thread makes its own Slope, since a parser must not be shared between threads.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/vec.h"
#include "study/typed_equation.h"

namespace kemi::study {

// One parsed expression in x and two more named variables (y1, y2 or y, v; none for a solution).
class NamedExpression {
 public:
  // Throws ExpressionError naming the variables allowed when the text is refused.
  NamedExpression(const std::string& text, const std::string& first, const std::string& second);
  ~NamedExpression();
  NamedExpression(NamedExpression&&) noexcept;
  NamedExpression& operator=(NamedExpression&&) noexcept;

  double operator()(double x, double a = 0.0, double b = 0.0) const;
  // Whether the text uses the variable `name`.
  bool uses(const std::string& name) const;

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

// "A; B" split at ';' with blanks trimmed; throws ExpressionError unless it holds `count` parts.
std::vector<std::string> splitParts(const std::string& text, std::size_t count,
                                    const std::string& what);

struct TypedSystem {
  std::vector<std::string> formulas;  // f1, f2; a second-order equation: g alone
  std::vector<std::string> exact;     // y1(x), y2(x); empty: none
  std::string invariant;              // empty: none
  bool secondOrder = false;           // typed as y'' = g(x, y, v)
  bool usesVelocity = false;          // g depends on v, so the symplectic methods do not apply

  // Each throws ExpressionError with one sentence when a text is refused.
  static TypedSystem firstOrder(const std::string& f, const std::string& exact,
                                const std::string& invariant);
  static TypedSystem fromSecondOrder(const std::string& g, const std::string& exact,
                                     const std::string& invariant);

  // The names of the two state variables in the typed texts.
  std::string firstName() const { return secondOrder ? "y" : "y1"; }
  std::string secondName() const { return secondOrder ? "v" : "y2"; }
  std::string formulaText() const;  // as `kemi-lab` prints it: "y2; -y1"

  // The right-hand side with its own parsers.
  class Slope {
   public:
    explicit Slope(const TypedSystem& system);
    Vec2 operator()(const double& x, const Vec2& y) const;

   private:
    bool secondOrder_;
    std::vector<NamedExpression> f_;
  };
  Slope slope() const { return Slope(*this); }
};

}  // namespace kemi::study
