// Entries and report lines read and print the same under locales whose decimal separator is a
// comma (de_DE) or whose case rules differ (tr_TR: dotted and dotless i).
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <locale>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/calculation.h"
#include "core/entry_reader.h"
#include "core/number_format.h"
#include "tests/core/recording_view.h"

namespace kemi {
namespace {

class LocaleTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    previous_ = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, GetParam()) == nullptr) {
      // The test command generates these locales; elsewhere they may be missing.
      if (std::getenv("KEMI_REQUIRE_LOCALES") != nullptr) FAIL() << GetParam() << " missing";
      GTEST_SKIP() << GetParam() << " is not installed";
    }
    std::locale::global(std::locale(GetParam()));
  }
  void TearDown() override {
    std::setlocale(LC_ALL, previous_.c_str());
    std::locale::global(std::locale::classic());
  }
  std::string previous_;
};

TEST_P(LocaleTest, EntriesAndLinesIgnoreTheLocale) {
  ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
  EXPECT_EQ(readEntry("0.4"), 0.4);
  EXPECT_EQ(readEntry("0,4"), 0.0);
  EXPECT_EQ(readEntry("1E2"), 100.0);
  EXPECT_EQ(readEntry("1e2"), 100.0);
  EXPECT_EQ(formatF4(-1234.5), "-1234.5000");
  EXPECT_EQ(formatGeneral(0.4 / 3), "0.133333333333333");

  Calculation calc;
  RecordingView view;
  ASSERT_TRUE(calc.run(entries("0.4", "1"), kMethods[6], view).completed);
  ASSERT_TRUE(calc.run({"0", "-1", "1E3", "1e3"}, kMethods[0], view).completed);
  EXPECT_EQ(view.stepSizes, (std::vector<std::string>{"0.4", "1"}));
  EXPECT_EQ(view.lines[1], "0.4000    -0.81096014   Analytical");
  EXPECT_EQ(view.lines[4].substr(0, 13), "1000.0000    ");
  for (const std::string& line : view.lines) EXPECT_EQ(line.find(','), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(CommaLocales, LocaleTest, ::testing::Values("de_DE.UTF-8", "tr_TR.UTF-8"),
                         [](const auto& info) { return std::string(info.param).substr(0, 5); });

}  // namespace
}  // namespace kemi
