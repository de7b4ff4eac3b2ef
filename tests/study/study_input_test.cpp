// Strict reading of the lab's numbers and method ids.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "study/study_input.h"

namespace kemi::study {
namespace {

TEST(StudyInputTest, ReadsOnlyTextsThatAreEntirelyNumbers) {
  for (const char* bad : {"", "abc", "1e", "0,5", "1 ", " 1", "--1", "+-1", "1e+", ".", "inf",
                          "nan", "0x10", "1e999", "1.2.3"})
    EXPECT_FALSE(readNumber(bad)) << '"' << bad << '"';
  const std::pair<const char*, double> good[] = {{"1", 1.0},  {"+0.5", 0.5},   {"-2.5e-3", -2.5e-3},
                                                 {".5", 0.5}, {"1e-400", 0.0}, {"7.", 7.0}};
  for (const auto& [text, value] : good) {
    ASSERT_TRUE(readNumber(text)) << text;
    EXPECT_EQ(*readNumber(text), value) << text;
  }
  EXPECT_TRUE(std::signbit(*readNumber("-1e-400")));
  // Too small for a double without a negative exponent: no number, as before.
  EXPECT_FALSE(readNumber("0." + std::string(400, '0') + "1"));
}

TEST(StudyInputTest, WholeNumbersAndMethodIds) {
  EXPECT_EQ(readWholeNumber("1e6"), 1000000);
  EXPECT_EQ(readWholeNumber("2147483646"), 2147483646);
  for (const char* bad : {"2.5", "1e19", "x"}) EXPECT_FALSE(readWholeNumber(bad)) << bad;

  EXPECT_EQ(methodById("rk4g"), 6u);
  EXPECT_EQ(methodById("EULERMP"), 2u);
  EXPECT_FALSE(methodById("RK5"));
  const MethodList list = readMethodList("rkm,Euler,RKM");
  EXPECT_EQ(list.methods, (std::vector<std::size_t>{0, 5}));
  EXPECT_TRUE(list.unknown.empty());
  EXPECT_EQ(readMethodList("RK4,,Euler").unknown, "(empty)");
  EXPECT_EQ(readMethodList("RK4,Heun").unknown, "Heun");
}

}  // namespace
}  // namespace kemi::study
