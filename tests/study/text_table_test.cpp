// CSV and Markdown text of the study tables.
#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>

#include "study/text_table.h"

namespace kemi::study {
namespace {

TEST(TextTableTest, NumbersAreTheShortestTextsThatReadBackUnderAnyLocale) {
  std::setlocale(LC_ALL, "de_DE.UTF-8");  // a comma-decimal locale where it is installed
  for (const double v : {0.1, -1.103638323514327, 5e-324, 1.7976931348623157e308, -0.0, 1e21}) {
    const std::string text = shortestText(v);
    double back = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_EQ(std::signbit(back), std::signbit(v)) << text;
    EXPECT_EQ(back, v) << text;
    EXPECT_EQ(text.find(','), std::string::npos) << text;
  }
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(shortestText(0.1), "0.1");
}

// The tables' number texts were C++'s shortest form (std::to_chars) before they came from
// {fmt}: the shorter of fixed and scientific, fixed on a tie, whole numbers with all digits.
TEST(TextTableTest, NumbersKeepTheShorterOfFixedAndScientificForm) {
  const std::pair<double, const char*> cases[] = {{1e15, "1e+15"},
                                                  {123456.0, "123456"},
                                                  {1e-5, "1e-05"},
                                                  {0.0001, "1e-04"},
                                                  {0.000123, "0.000123"},
                                                  {100.0, "100"},
                                                  {1e22, "1e+22"},
                                                  {1.5e300, "1.5e+300"},
                                                  {5e-324, "5e-324"},
                                                  {-0.0, "-0"},
                                                  {1e16, "1e+16"},
                                                  {-2.5, "-2.5"},
                                                  {6196953087261802496.0, "6196953087261802496"},
                                                  {12345678901234568.0, "12345678901234568"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(shortestText(value), text) << text;
}

TEST(TextTableTest, CsvAndMarkdownLayout) {
  StepTable steps = buildStepTable({Classroom{}, 0.0, -1.0, 0.5}, 0, 1);
  const TextTable t = stepText(steps);
  const std::string csv = toCsv(t);
  EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
            "i,x,y,exact,error,local_error,k1,k2,k3,k4,k5,k6,accuracy,estimate");
  // Row 0 has no errors and no stages; Euler has only k1; an exact solution has no accuracy.
  EXPECT_NE(csv.find("\r\n0,0,-1,-1,,,,,,,,,,\r\n"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\r\n1,0.5,-0.5,"), std::string::npos) << csv;
  EXPECT_EQ(csv.substr(csv.size() - 8), ",,,,,,\r\n");

  const TextTable quoted{{"a", "b"}, {{"x,y", "say \"hi\""}}};
  EXPECT_EQ(toCsv(quoted), "a,b\r\n\"x,y\",\"say \"\"hi\"\"\"\r\n");
  EXPECT_EQ(toMarkdown(TextTable{{"method", "N"}, {{"RK4", "16"}, {"Euler", "1024"}}}),
            "| method |    N |\n| ------ | ---: |\n| RK4    |   16 |\n| Euler  | 1024 |\n");
}

}  // namespace
}  // namespace kemi::study
