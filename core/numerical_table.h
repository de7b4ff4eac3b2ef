// The numerical table X, Y: two parallel tables of doubles with every entry 0 when created.
// They can hold hundreds of millions of entries, so creating them writes no memory: fresh pages
// come zeroed from the kernel, and a previous run's pages are reused with only the entries the
// steps will not write cleared. The steps then write each entry once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace kemi {

class NumericalTable {
 public:
  NumericalTable() = default;
  NumericalTable(const NumericalTable&) = delete;
  NumericalTable& operator=(const NumericalTable&) = delete;
  ~NumericalTable();

  // Makes `size` entries in each table, all 0 except those below `willWrite`, which the caller
  // writes before reading. Returns false, leaving the table empty, when the memory can't be had.
  bool create(std::size_t size, std::size_t willWrite);
  // Whether create(size, ...) would reuse the present pages rather than map new ones.
  bool holds(std::size_t size) const { return size <= capacity_ && capacity_ / 2 <= size; }
  // Sets entries first..last-1 of both tables to 0.
  void clear(std::size_t first, std::size_t last);
  void release();

  std::size_t size() const { return size_; }
  double* X() { return x_; }
  double* Y() { return y_; }
  std::span<const double> X() const { return {x_, size_}; }
  std::span<const double> Y() const { return {y_, size_}; }

 private:
  double* x_ = nullptr;
  double* y_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;  // entries per table that the mapped pages hold
};

// Memory the system can hand out now without swapping (MemAvailable), if it can tell.
std::optional<std::uint64_t> availableMemoryBytes();

}  // namespace kemi
