// Reading the lab's inputs strictly: a number must be a number from its first character to its
// last ("abc", "1e", "0,5" and "" are refused), and method ids are the step method names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kemi::study {

// A finite or infinite decimal number with "." as point and an optional exponent; nothing else.
std::optional<double> readNumber(std::string_view text);
// A whole number (1e6 is one) that fits an int64.
std::optional<std::int64_t> readWholeNumber(std::string_view text);

// Index into kMethods of Euler, EulerEP, EulerMP, RK4, RKF, RKM or RK4G, in any letter case.
std::optional<std::size_t> methodById(std::string_view id);
// A comma-separated list of ids; the indexes come back in table order without repeats. An
// unknown id comes back in `unknown`.
struct MethodList {
  std::vector<std::size_t> methods;
  std::string unknown;
};
MethodList readMethodList(std::string_view list);

// "Euler, EulerEP, EulerMP, RK4, RKF, RKM, RK4G", for messages.
std::string methodIdsText();

}  // namespace kemi::study
