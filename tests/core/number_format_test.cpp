// The report's fixed formats and the step size text.
#include <gtest/gtest.h>

#include <string>

#include "core/number_format.h"

namespace kemi {
namespace {

struct Formatted {
  double value;
  std::string text;
};

TEST(NumberFormatTest, F4ShowsFourDecimalsAndAUnitsDigit) {
  const Formatted cases[] = {
      {0.4, "0.4000"},
      {0.39999999999999997, "0.4000"},
      {-0.25, "-0.2500"},
      {0.00004, "0.0000"},
      // A negative value keeps its sign when its digits round to zero; -0.0 is not negative.
      {-0.00004, "-0.0000"},
      {-4.9e-324, "-0.0000"},
      {-0.0, "0.0000"},
      {0.0, "0.0000"},
      {123456789.5, "123456789.5000"},
      {1e20, "100000000000000000000.0000"},
      {0.12345, "0.1235"},
      {-3.0, "-3.0000"},
  };
  for (const Formatted& c : cases) EXPECT_EQ(formatF4(c.value), c.text) << c.value;
}

TEST(NumberFormatTest, F8ShowsEightDecimalsAndThreeTrailingBlanks) {
  const Formatted cases[] = {
      {-0.6, "-0.60000000   "},
      {-0.8109601381069176, "-0.81096014   "},
      {-0.21096013810691756, "-0.21096014   "},
      {0.000000001, "0.00000000   "},
      {-0.000000001, "-0.00000000   "},
      {-4.9e-324, "-0.00000000   "},
      {-0.0, "0.00000000   "},
      {12345.123456789, "12345.12345679   "},
  };
  for (const Formatted& c : cases) EXPECT_EQ(formatF8(c.value), c.text) << c.value;
  EXPECT_EQ(formatF8(-1.7976931348623157e308).size(), 1 + 309 + 1 + 8 + 3);
}

TEST(NumberFormatTest, StepSizeHasAtMostFifteenSignificantDigits) {
  const Formatted cases[] = {
      {0.4, "0.4"},
      {0.4 / 3, "0.133333333333333"},
      {-0.4 / 3, "-0.133333333333333"},
      {0.0, "0"},
      {-0.0, "0"},
      {2.0, "2"},
      {1.0 / 3e10, "3.33333333333333e-11"},
      {123456789012345678.0, "1.23456789012346e+17"},
  };
  for (const Formatted& c : cases) EXPECT_EQ(formatGeneral(c.value), c.text) << c.value;
}

}  // namespace
}  // namespace kemi
