// Equations a student types: f(x, y) and optionally the exact solution y(x) as text, read by
// muParser. The text is checked once, when the equation is made; each thread that evaluates it
// makes its own Evaluator, since a muParser parser must not be shared between threads.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace kemi::study {

// An expression refused, with one sentence that says why and where.
class ExpressionError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

inline constexpr std::size_t kMaxExpressionLength = 1000;

// One parsed expression in x (and y when `withY`), evaluated at a point. Not copyable; cheap
// enough to make one per worker or per table.
class Evaluator {
 public:
  // Throws ExpressionError for text that is empty, too long, malformed, or names an unknown
  // variable or function.
  Evaluator(const std::string& text, bool withY);
  ~Evaluator();
  Evaluator(const Evaluator&) = delete;
  Evaluator& operator=(const Evaluator&) = delete;
  Evaluator(Evaluator&&) noexcept;
  Evaluator& operator=(Evaluator&&) noexcept;

  double operator()(const double& x, const double& y) const;
  double operator()(const double& x) const { return (*this)(x, 0.0); }

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

// Checks `text` as Evaluator does; the error message, or nothing when it is accepted.
std::optional<std::string> expressionProblem(const std::string& text, bool withY);

// A typed f(x, y), optionally with a typed exact solution through the start.
struct TypedEquation {
  std::string formula;
  std::string exact;  // empty: none
  // Throws ExpressionError when either text is refused.
  TypedEquation(std::string f, std::string exactSolution);

  Evaluator evaluator() const { return Evaluator(formula, true); }
  Evaluator exactEvaluator() const { return Evaluator(exact, false); }
  // df/dy by a central difference with a step scaled to y.
  static double dfdy(const Evaluator& f, double x, double y);
};

}  // namespace kemi::study
