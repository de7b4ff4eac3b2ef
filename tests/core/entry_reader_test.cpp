// The entry reader: what a student may type and the number it reads as.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "core/entry_reader.h"

namespace kemi {
namespace {

struct Reading {
  std::string text;
  double value;
};

TEST(EntryReaderTest, ReadsTheLongestLeadingDecimalNumber) {
  const Reading cases[] = {
      {"0.4", 0.4},        {"abc", 0.0},    {"1 0", 10.0},
      {"0,4", 0.0},        {"", 0.0},       {"  -1", -1.0},
      {"+2.5", 2.5},       {"- 3", -3.0},   {"\t4\n2", 42.0},
      {".5", 0.5},         {"5.", 5.0},     {"1.2.3", 1.2},
      {"1e3", 1000.0},     {"1E-2", 0.01},  {"2e+1x", 20.0},
      {"1e", 1.0},         {"1e+", 1.0},    {"1e 2", 100.0},
      {"-", 0.0},          {".", 0.0},      {"+.e5", 0.0},
      {"12abc", 12.0},     {"0x1A", 0.0},   {"3,7", 3.0},
      {"1 000.5", 1000.5}, {"1e-400", 0.0}, {"1e-320", 1e-320},
      {"007", 7.0},        {"\r5", 0.0},    {"1e0000000000000000000001", 10.0},
  };
  for (const Reading& c : cases) {
    const std::optional<double> v = readEntry(c.text);
    ASSERT_TRUE(v.has_value()) << '"' << c.text << '"';
    EXPECT_EQ(*v, c.value) << '"' << c.text << '"';
  }
}

TEST(EntryReaderTest, FailsOnlyBeyondTheDoubleRange) {
  for (const char* text : {"1e400", "-1e400", "1e99999999999999999999", "2e308", "1 e 309"})
    EXPECT_FALSE(readEntry(text).has_value()) << text;
  EXPECT_EQ(readEntry("1.7976931348623157e308"), std::numeric_limits<double>::max());
  EXPECT_EQ(readEntry("0.000001e-400"), 0.0);
  EXPECT_EQ(readEntry("00000000000000000000000000000000001e-400"), 0.0);
  EXPECT_FALSE(readEntry("10000000000000000000000000000000000e300").has_value());
  // A million leading zeros or digits do not outweigh an exponent ten times as long.
  const std::string million(1'000'000, '0');
  EXPECT_FALSE(readEntry("0." + million + "1e10000000").has_value());
  EXPECT_EQ(readEntry("1" + million + "0000e-10000000"), 0.0);
}

TEST(EntryReaderTest, KeepsTheSignOfAnUnderflowedNumber) {
  const std::optional<double> v = readEntry("-1e-400");
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(*v, 0.0);
  EXPECT_TRUE(std::signbit(*v));
}

}  // namespace
}  // namespace kemi
