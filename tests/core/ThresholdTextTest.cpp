#include <clocale>
#include <string>

#include <gtest/gtest.h>

#include "report/ThresholdText.h"

TEST(ThresholdText, ReadsPlainNumbers) {
    EXPECT_EQ(ReadThresholdText("15"), 15.0);
    EXPECT_EQ(ReadThresholdText("1.8"), 1.8);
    EXPECT_EQ(ReadThresholdText("-5"), -5.0);
    EXPECT_EQ(ReadThresholdText("+7"), 7.0);
    EXPECT_EQ(ReadThresholdText("2.5e1"), 25.0);
    EXPECT_EQ(ReadThresholdText("1E-2"), 0.01);
    EXPECT_EQ(ReadThresholdText(".5"), 0.5);
    EXPECT_EQ(ReadThresholdText("5."), 5.0);
}

TEST(ThresholdText, BlanksAndTabsAroundAreAllowed) {
    EXPECT_EQ(ReadThresholdText(" \t 12.5\t "), 12.5);
    EXPECT_FALSE(ReadThresholdText("\n12.5"));
    EXPECT_FALSE(ReadThresholdText("12.5\r"));
    EXPECT_FALSE(ReadThresholdText("1 2"));
}

TEST(ThresholdText, ZeroOnlyWithALeadingDigitZero) {
    EXPECT_EQ(ReadThresholdText("0"), 0.0);
    EXPECT_EQ(ReadThresholdText("0.0"), 0.0);
    EXPECT_EQ(ReadThresholdText("  00"), 0.0);
    EXPECT_FALSE(ReadThresholdText("-0"));
    EXPECT_FALSE(ReadThresholdText(".0"));
    EXPECT_FALSE(ReadThresholdText("+0"));
    EXPECT_FALSE(ReadThresholdText("1e-400"));  // rounds to nothing
}

TEST(ThresholdText, RejectsTextThatIsNotOneNumber) {
    EXPECT_FALSE(ReadThresholdText(""));
    EXPECT_FALSE(ReadThresholdText("   "));
    EXPECT_FALSE(ReadThresholdText("abc"));
    EXPECT_FALSE(ReadThresholdText("12abc"));
    EXPECT_FALSE(ReadThresholdText("1,5"));
    EXPECT_FALSE(ReadThresholdText("1e"));
    EXPECT_FALSE(ReadThresholdText("0x10"));
    EXPECT_FALSE(ReadThresholdText("inf"));
    EXPECT_FALSE(ReadThresholdText("nan"));
    EXPECT_FALSE(ReadThresholdText("."));
    EXPECT_FALSE(ReadThresholdText("-"));
}

TEST(ThresholdText, RejectsNumbersBeyondTheDoubleRange) {
    EXPECT_EQ(ReadThresholdText("1e308"), 1e308);
    EXPECT_EQ(ReadThresholdText("-1e308"), -1e308);
    EXPECT_FALSE(ReadThresholdText("1e309"));  // would show as "inf", which reads no more
    EXPECT_FALSE(ReadThresholdText("-1e999"));
}

TEST(ThresholdText, LooksAtTheFirst31CharactersOnly) {
    const std::string blanks29(29, ' ');
    EXPECT_EQ(ReadThresholdText("1" + blanks29 + " x"), 1.0);  // x is character 32
    EXPECT_FALSE(ReadThresholdText("1" + blanks29 + "x"));     // x is character 31
    EXPECT_EQ(ReadThresholdText(std::string(31, '9') + "x"), 9999999999999999999999999999999.0);
}

TEST(ThresholdText, IgnoresADecimalCommaLocale) {
    const char* comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    if (comma == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    EXPECT_EQ(ReadThresholdText("1.5"), 1.5);
    EXPECT_FALSE(ReadThresholdText("1,5"));
    std::setlocale(LC_NUMERIC, "C");
}
