// Random entry texts as students type them, for the seeded whole-run tests of the core and of
// the main window: numbers of every magnitude and sign, blanks, commas, exponents to 400, garbage.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

namespace kemi::test {

class RandomEntryTexts {
 public:
  explicit RandomEntryTexts(std::uint64_t seed) : rng_(seed) {}

  int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  double uniformReal(double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng_);
  }
  bool chance(int percent) { return uniform(1, 100) <= percent; }

  std::string digits(int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += static_cast<char>('0' + uniform(0, 9));
    return s;
  }

  // A decimal number of any magnitude and sign, the exponent from -400 to 400.
  std::string number() {
    static const char* const kEdges[] = {
        "0",       "-0",   "1.7976931348623157e308", "4.9e-324", "2.2250738585072014e-308",
        "-1e-400", "1e309"};
    if (chance(5)) return kEdges[uniform(0, 6)];
    std::string s = chance(30) ? "-" : (chance(10) ? "+" : "");
    std::string mantissa = digits(uniform(1, 20));
    if (chance(60))
      mantissa.insert(static_cast<std::size_t>(uniform(0, int(mantissa.size()))), 1, '.');
    s += mantissa;
    if (chance(60)) {
      s += chance(50) ? "e" : "E";
      const int exponent = uniform(-400, 400);
      s += exponent < 0 ? "-" : (chance(30) ? "+" : "");
      s += std::to_string(std::abs(exponent));
    }
    return s;
  }

  // Letters, signs, points, commas and control characters with no number or a broken one.
  std::string garbage() {
    static constexpr std::string_view kChars = "abcxXeE+-.,;/\\ \t\n\r0123456789*#%&()";
    std::string s;
    for (int n = uniform(0, 8); n > 0; --n) s += kChars[uniform(0, int(kChars.size()) - 1)];
    return s;
  }

  // The same number as a student might type it: blanks, tabs and line feeds anywhere, a comma
  // or other text after it.
  std::string typed(std::string s) {
    static constexpr std::string_view kBlanks = " \t\n";
    for (int n = chance(30) ? uniform(1, 3) : 0; n > 0; --n)
      s.insert(static_cast<std::size_t>(uniform(0, int(s.size()))), 1, kBlanks[uniform(0, 2)]);
    if (chance(10)) {
      if (chance(50)) {
        s += ',';
        s += digits(uniform(1, 3));
      } else {
        s += garbage();
      }
    }
    return s;
  }

 private:
  std::mt19937_64 rng_;
};

}  // namespace kemi::test
