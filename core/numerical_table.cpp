// Anonymous memory maps for the numerical table: the kernel hands out zeroed pages, so a new
// table costs no write of its own, and huge pages cut the page faults of a large one.
#include "core/numerical_table.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>

namespace kemi {
namespace {

double* mapZeroed(std::size_t bytes) {
  void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return nullptr;
#ifdef MADV_HUGEPAGE
  if (bytes >= (std::size_t{2} << 20)) madvise(p, bytes, MADV_HUGEPAGE);
#endif
  return static_cast<double*>(p);
}

std::size_t pageRounded(std::size_t bytes) {
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return (bytes + page - 1) / page * page;
}

}  // namespace

NumericalTable::~NumericalTable() {
  release();
}

void NumericalTable::release() {
  const std::size_t bytes = pageRounded(capacity_ * sizeof(double));
  if (x_ != nullptr) munmap(x_, bytes);
  if (y_ != nullptr) munmap(y_, bytes);
  x_ = y_ = nullptr;
  size_ = capacity_ = 0;
}

bool NumericalTable::create(std::size_t size, std::size_t willWrite) {
  willWrite = std::min(willWrite, size);
  // Reuse the pages of the previous run when they hold the new table without holding much more;
  // only the entries the steps will not write need clearing.
  if (holds(size)) {
    size_ = size;
    clear(willWrite, size);
    return true;
  }
  release();
  if (size == 0) return true;
  if (size > (SIZE_MAX / sizeof(double)) / 2) return false;
  const std::size_t bytes = pageRounded(size * sizeof(double));
  x_ = mapZeroed(bytes);
  y_ = x_ != nullptr ? mapZeroed(bytes) : nullptr;
  if (y_ == nullptr) {
    if (x_ != nullptr) munmap(x_, bytes);
    x_ = nullptr;
    return false;
  }
  size_ = size;
  capacity_ = bytes / sizeof(double);
  return true;
}

void NumericalTable::clear(std::size_t first, std::size_t last) {
  last = std::min(last, size_);
  if (first >= last) return;
  std::fill(x_ + first, x_ + last, 0.0);
  std::fill(y_ + first, y_ + last, 0.0);
}

std::optional<std::uint64_t> availableMemoryBytes() {
  std::ifstream meminfo("/proc/meminfo");
  const std::string key = "MemAvailable:";
  for (std::string line; std::getline(meminfo, line);)
    if (line.rfind(key, 0) == 0) return std::stoull(line.substr(key.size())) * 1024;
  return std::nullopt;
}

}  // namespace kemi
