// Tick choice and exact decimal labels.
#include "plot/figure/ticks.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

namespace kemi::figure {

double Ticks::value(std::int64_t k) const {
  return static_cast<double>(k * mantissa) * std::pow(10.0, exponent);
}

std::string Ticks::label(std::int64_t k) const {
  const std::int64_t v = k * mantissa;
  if (v == 0) return "0";
  const char* sign = v < 0 ? "-" : "";
  std::string digits = fmt::format("{}", v < 0 ? -v : v);
  if (exponent > 6 || exponent < -8) return fmt::format("{}{}e{}", sign, digits, exponent);
  if (exponent >= 0) {
    digits.append(static_cast<std::size_t>(exponent), '0');
  } else {
    const auto places = static_cast<std::size_t>(-exponent);
    if (digits.size() <= places) digits.insert(0, places - digits.size() + 1, '0');
    digits.insert(digits.size() - places, 1, '.');
  }
  return sign + digits;
}

std::string Ticks::trimmedLabel(std::int64_t k) const {
  std::string text = label(k);
  if (text.find('.') == std::string::npos || text.find('e') != std::string::npos) return text;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

Ticks linearTicks(double lo, double hi, double count, TickRounding rounding) {
  Ticks t;
  const double raw = (hi - lo) / count;
  if (!(raw > 0.0) || !std::isfinite(raw)) return t;
  t.exponent = static_cast<int>(std::floor(std::log10(raw)));
  const double base = raw / std::pow(10.0, t.exponent);
  if (rounding == TickRounding::Nearest) {
    t.mantissa = base < 1.5 ? 1 : base < 3.5 ? 2 : base < 7.5 ? 5 : 10;
  } else {
    t.mantissa = base <= 1.0 ? 1 : base <= 2.0 ? 2 : base <= 5.0 ? 5 : 10;
  }
  if (t.mantissa == 10) t.mantissa = 1, ++t.exponent;
  const double step = t.mantissa * std::pow(10.0, t.exponent);
  t.first = static_cast<std::int64_t>(std::ceil(lo / step));
  t.last = static_cast<std::int64_t>(std::floor(hi / step));
  return t;
}

Ticks ticksLike(const Ticks& like, double lo, double hi) {
  Ticks t = like;
  const double step = t.mantissa * std::pow(10.0, t.exponent);
  t.first = static_cast<std::int64_t>(std::ceil(lo / step));
  t.last = static_cast<std::int64_t>(std::floor(hi / step));
  return t;
}

double LogTicks::value(int k) const {
  return std::pow(10.0, k);
}

std::string LogTicks::label(int k) const {
  return fmt::format("{:.0e}", value(k));
}

LogTicks logTicks(double lo, double hi, int mostLabels) {
  LogTicks t;
  if (!(lo > 0.0) || !(hi >= lo) || !std::isfinite(hi)) return t;
  // A bound that is a decade up to rounding of the logarithm still gets its tick.
  constexpr double kSlack = 1e-9;
  t.first = static_cast<int>(std::ceil(std::log10(lo) - kSlack));
  t.last = static_cast<int>(std::floor(std::log10(hi) + kSlack));
  const int decades = t.last - t.first;
  t.every = std::max(1, (decades + mostLabels - 1) / std::max(1, mostLabels));
  return t;
}

}  // namespace kemi::figure
