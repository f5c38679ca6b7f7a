#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "support/TestFiles.h"
#include "track/NumberText.h"

namespace {

/// strtod in the C locale, which rounds correctly whatever locale is in force.
double CLocaleStrtod(const std::string& text) {
#ifdef _WIN32
    static const _locale_t c = _create_locale(LC_ALL, "C");
    return _strtod_l(text.c_str(), nullptr, c);
#else
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(text.c_str(), nullptr, c);
#endif
}

}  // namespace

TEST(NumberText, ReadsTheDecimalGrammar) {
    EXPECT_EQ(TextToDouble("12.5"), 12.5);
    EXPECT_EQ(TextToDouble("  \t-3.25e2xyz"), -325.0);
    EXPECT_EQ(TextToDouble("+7"), 7.0);
    EXPECT_EQ(TextToDouble(".5"), 0.5);
    EXPECT_EQ(TextToDouble("5."), 5.0);
    EXPECT_EQ(TextToDouble("1E3"), 1000.0);
    EXPECT_EQ(TextToDouble("1e"), 1.0);  // incomplete exponent is not taken
    EXPECT_EQ(TextToDouble("1e+"), 1.0);
    EXPECT_EQ(TextToDouble("2e-1.5"), 0.2);
    EXPECT_EQ(TextToDouble("1,5"), 1.0);  // a comma is never a decimal point
}

TEST(NumberText, TextWithoutANumberReadsZero) {
    for (const char* text : {"", " ", ".", "-", "+.", "abc", "- 5", "e5", "--1"}) {
        const double value = TextToDouble(text);
        EXPECT_EQ(value, 0.0) << text;
        EXPECT_FALSE(std::signbit(value)) << text;
    }
}

TEST(NumberText, NanInfinityAndHexAreNotNumbers) {
    EXPECT_EQ(TextToDouble("nan"), 0.0);
    EXPECT_EQ(TextToDouble("-inf"), 0.0);
    EXPECT_EQ(TextToDouble("infinity"), 0.0);
    EXPECT_EQ(TextToDouble("0x10"), 0.0);  // the 0 before the x
}

TEST(NumberText, OutOfRangeSaturatesAsTheCLibraryDoes) {
    EXPECT_EQ(TextToDouble("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(TextToDouble("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(TextToDouble("0.00001e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(TextToDouble("1e-999"), 0.0);
    EXPECT_TRUE(std::signbit(TextToDouble("-1e-999")));
    EXPECT_EQ(TextToDouble("12345e-320"), 12345e-320);  // subnormal, still representable
    EXPECT_EQ(TextToDouble("0e99999999999999999999"), 0.0);
    EXPECT_TRUE(std::signbit(TextToDouble("-0")));
}

TEST(NumberText, MatchesCorrectlyRoundedConversion) {
    // strtod in the C locale rounds correctly; compare on day counts and random digit strings.
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        std::string text = std::to_string(random() % 60000) + ".";
        const int fraction = 1 + static_cast<int>(random() % 22);
        for (int k = 0; k < fraction; ++k) {
            text += static_cast<char>('0' + random() % 10);
        }
        if (i % 3 == 0) {
            text += "e" + std::to_string(static_cast<int>(random() % 40) - 20);
        }
        ASSERT_EQ(TextToDouble(text), CLocaleStrtod(text)) << text;
    }
}

TEST(NumberText, FullStopWhateverTheLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!SetCommaLocale(LC_ALL)) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    const double localeRead = std::strtod("1.5", nullptr);  // 1 under a decimal comma
    const double value = TextToDouble("45122.2793403");
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(localeRead, 1.0);
    EXPECT_EQ(value, 45122.2793403);
}

TEST(NumberText, IntegersStopAtTheFirstOtherCharacter) {
    EXPECT_EQ(TextToInt("1.0"), 1);
    EXPECT_EQ(TextToInt(""), 0);
    EXPECT_EQ(TextToInt("  -12abc"), -12);
    EXPECT_EQ(TextToInt("+3"), 3);
    EXPECT_EQ(TextToInt("x1"), 0);
    EXPECT_EQ(TextToInt("0.9"), 0);
    EXPECT_EQ(TextToInt("99999999999999999999"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(TextToInt("-99999999999999999999"), std::numeric_limits<int32_t>::min());
}

TEST(NumberText, TrimsTheSixBlanks) {
    EXPECT_EQ(TrimBlanks(" \t\n\v\f\rWalk \r\n"), "Walk");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks("a b"), "a b");
}

TEST(NumberText, NumberPrefixLengthTakesTheWholeNumberOnly) {
    EXPECT_EQ(NumberPrefixLength("-12.5e+3x"), 8u);
    EXPECT_EQ(NumberPrefixLength(".5"), 2u);
    EXPECT_EQ(NumberPrefixLength("5."), 2u);
    EXPECT_EQ(NumberPrefixLength("1e"), 1u);  // no digits: the exponent is not part of it
    EXPECT_EQ(NumberPrefixLength("1e-"), 1u);
    EXPECT_EQ(NumberPrefixLength(" 1"), 0u);  // blanks are the caller's business
    EXPECT_EQ(NumberPrefixLength("-."), 0u);
    EXPECT_EQ(NumberPrefixLength("inf"), 0u);
    EXPECT_EQ(NumberPrefixLength(""), 0u);
}
