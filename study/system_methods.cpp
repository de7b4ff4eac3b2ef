// Names, orders and costs of the nine methods on a system.
#include "study/system_methods.h"

#include <algorithm>
#include <cctype>

namespace kemi::study {

std::string_view systemMethodId(std::size_t method) {
  if (method == kSymplecticEuler) return "SymplecticEuler";
  if (method == kVerlet) return "Verlet";
  return kMethods.at(method).id;
}

int systemMethodOrder(std::size_t method) {
  if (method == kSymplecticEuler) return 1;
  if (method == kVerlet) return 2;
  return kMethods.at(method).order;
}

int systemMethodEvaluations(std::size_t method) {
  if (method == kSymplecticEuler) return 1;
  if (method == kVerlet) return 2;
  return kMethods.at(method).evaluations;
}

bool isSymplectic(std::size_t method) {
  return method == kSymplecticEuler || method == kVerlet;
}

std::optional<std::size_t> systemMethodById(std::string_view id) {
  const auto same = [id](std::string_view name) {
    return std::equal(id.begin(), id.end(), name.begin(), name.end(), [](char a, char b) {
      return std::tolower(static_cast<unsigned char>(a)) ==
             std::tolower(static_cast<unsigned char>(b));
    });
  };
  for (std::size_t m = 0; m < kSystemMethodCount; ++m)
    if (same(systemMethodId(m))) return m;
  return std::nullopt;
}

}  // namespace kemi::study
