#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

/// Space, tab, line feed, vertical tab, form feed and carriage return.
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

/// The text without leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

/// Reads the longest prefix of the form [blanks][sign]digits[.digits][e[sign]digits], with a
/// full stop as decimal point whatever the locale, correctly rounded. Text that does not begin
/// with a number gives 0.0; "nan", "inf" and hexadecimal are not numbers here. A value too large
/// for a double gives infinity and one too small gives zero, both with the sign written.
double TextToDouble(std::string_view text);

/// TextToDouble and TextToInt reading from p, which ends up just after the number, or after
/// the blanks and sign when there is none.
double ReadDouble(const char*& p, const char* end);
int32_t ReadInt(const char*& p, const char* end);

/// Length of the number at the very start of text, of the form [sign]digits[.digits]
/// [e[sign]digits] with at least one digit before the exponent; 0 when there is none.
std::size_t NumberPrefixLength(std::string_view text);

/// Reads [blanks][sign]digits up to the first other character ("1.0" gives 1, "" gives 0);
/// values beyond the 32-bit range saturate, so a nonzero text never reads as 0.
int32_t TextToInt(std::string_view text);

/// A decimal number and nothing else: optional sign, digits with a full stop, optional exponent,
/// blanks around it allowed. Nothing when the text is not such a number or does not fit a
/// double ("nan", "0x10" and "1e999" are not numbers here).
std::optional<double> ParseDecimal(std::string_view text);
