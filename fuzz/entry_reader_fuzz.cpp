// Differential fuzzing of the entry reader: every text must read to the same double, bit for bit
// (sign of zero included), as the plain strtod reading, or fail in both.
#include <bit>
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "core/entry_reader.h"
#include "fuzz/simple_reading.h"

namespace {

std::string shown(std::string_view text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7f && c != '\\' && c != '"') {
      out += static_cast<char>(c);
    } else {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\x%02x", c);
      out += esc;
    }
  }
  return out;
}

std::string shown(const std::optional<double>& v) {
  if (!v) return "failure";
  char text[64];
  std::snprintf(text, sizeof text, "%.17g (bits %016llx)", *v,
                static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(*v)));
  return text;
}

bool same(const std::optional<double>& a, const std::optional<double>& b) {
  if (!a || !b) return !a && !b;
  return std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The entry reader must not care about the user's number settings, so the fuzzer runs under a
  // comma-decimal locale where one is installed; the plain reading uses the "C" locale itself.
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"})
    if (std::setlocale(LC_ALL, name) != nullptr) break;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<double> got = kemi::readEntry(text);
  const std::optional<double> want = kemi::fuzz::simpleReading(text);
  if (!same(got, want)) {
    std::fprintf(stderr,
                 "entry reader disagrees on \"%s\"\n  number:       \"%s\"\n"
                 "  readEntry:    %s\n  strtod (\"C\"): %s\n",
                 shown(text).c_str(), shown(kemi::fuzz::leadingNumberText(text)).c_str(),
                 shown(got).c_str(), shown(want).c_str());
    std::abort();
  }
  return 0;
}
