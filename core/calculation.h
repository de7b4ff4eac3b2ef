// One calculation run and the values the main window keeps between runs: the step count N, the
// exact table and the numerical table. The window hands over the four entry texts and the chosen
// method and receives the step size text, the report lines and the plot through RunView.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/equation.h"
#include "core/method_table.h"
#include "core/numerical_table.h"

namespace kemi {

// A run that cannot go on; what() is one sentence telling the student what to change.
class RunStopped : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Entries {
  std::string x0;
  std::string y0;
  std::string x1;
  std::string N;
};

class Calculation;

// What a run shows, in the order it shows it.
class RunView {
 public:
  virtual ~RunView() = default;
  virtual void showStepSize(const std::string& text) = 0;
  // The four report lines of a finished integration, appended together.
  virtual void appendLines(const std::array<std::string, 4>& lines) = 0;
  // Redraws the plot from the finished tables; may widen x1. Returns a cause when it cannot.
  virtual std::optional<std::string> redraw(const Calculation& calc, double& x0, double& x1) = 0;
};

struct RunResult {
  bool completed = false;
  std::string cause;  // why the run stopped; empty when it completed
};

class Calculation {
 public:
  // Reads the memory free for new tables (the system's MemAvailable unless a test says otherwise).
  using FreeMemory = std::function<std::optional<std::uint64_t>()>;
  explicit Calculation(FreeMemory freeMemory = availableMemoryBytes)
      : freeMemory_(std::move(freeMemory)) {}

  // Reads the entries, shows h, fills the exact and numerical tables, appends the report and
  // redraws the plot. A run that stops leaves what it had done before the stop.
  RunResult run(const Entries& entries, const MethodInfo& method, RunView& view);

  double N() const { return N_; }
  const ExactTable& exact() const { return exact_; }
  std::span<const double> X() const { return table_.X(); }
  std::span<const double> Y() const { return table_.Y(); }
  // Index of the last point a step wrote (0 when no step ran).
  std::int64_t lastIndex() const { return last_; }
  // The ranges of the numerical table as the last run's steps wrote it.
  const TableRanges& ranges() const { return ranges_; }

 private:
  void Numerical(double& x0, double& y0, const double& h, const MethodInfo& method, RunView& view);

  FreeMemory freeMemory_;
  double N_ = 0.0;
  ExactTable exact_;
  NumericalTable table_;
  std::int64_t last_ = 0;
  TableRanges ranges_;
};

}  // namespace kemi
