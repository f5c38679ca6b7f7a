#include "track/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <system_error>

namespace {

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

/// The digits of a decimal mantissa as an integer, while it stays exact in a double.
struct Digits {
    uint64_t value = 0;
    bool exact = true;
};

const char* GatherDigits(const char* p, const char* end, Digits& digits) {
    constexpr uint64_t kExactLimit = uint64_t{1} << 53;
    for (; p < end && IsDigit(*p); ++p) {
        if (digits.value > (kExactLimit - 10) / 10) {
            digits.exact = false;
        } else {
            digits.value = digits.value * 10 + static_cast<uint64_t>(*p - '0');
        }
    }
    return p;
}

const char* SkipDigits(const char* p, const char* end) {
    while (p < end && IsDigit(*p)) {
        ++p;
    }
    return p;
}

/// Decimal exponent of the leading nonzero digit of a number that from_chars found out of
/// range; it lies far from zero either way, so its sign tells overflow from underflow.
/// intEnd is where the integer digits end, exponent the 'e' or null.
long LeadingExponent(const char* mantissa, const char* intEnd, const char* exponent,
                     const char* end) {
    const char* const mantissaEnd = exponent != nullptr ? exponent : end;
    long lead = 0;
    for (const char* p = mantissa; p < mantissaEnd; ++p) {
        if (*p != '.' && *p != '0') {
            lead = p < intEnd ? static_cast<long>(intEnd - p) - 1 : -static_cast<long>(p - intEnd);
            break;
        }
    }
    long power = 0;
    if (exponent != nullptr) {
        const char* p = exponent + 1;
        const bool negative = *p == '-';
        if (*p == '+' || *p == '-') {
            ++p;
        }
        for (; p < end && IsDigit(*p); ++p) {
            power = std::min(power * 10 + (*p - '0'), 1000000000L);
        }
        power = negative ? -power : power;
    }
    return lead + power;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

double TextToDouble(std::string_view text) {
    const char* p = text.data();
    return ReadDouble(p, p + text.size());
}

double ReadDouble(const char*& p, const char* end) {
    while (p < end && IsBlank(*p)) {
        ++p;
    }
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // Check the allowed prefix first: from_chars alone would also take "inf", "nan" and more.
    // The digits are gathered on the way for the exact fast path below.
    const char* const mantissa = p;
    Digits digits;
    const char* const intEnd = GatherDigits(p, end, digits);
    const char* numberEnd = intEnd;
    std::size_t fractionDigits = 0;
    if (intEnd < end && *intEnd == '.') {
        numberEnd = GatherDigits(intEnd + 1, end, digits);
        fractionDigits = static_cast<std::size_t>(numberEnd - (intEnd + 1));
    }
    if (intEnd == mantissa && fractionDigits == 0) {
        return 0.0;
    }
    p = numberEnd;
    const char* exponent = nullptr;
    if (numberEnd < end && (*numberEnd == 'e' || *numberEnd == 'E')) {
        const char* e = numberEnd + 1;
        if (e < end && (*e == '+' || *e == '-')) {
            ++e;
        }
        if (e < end && IsDigit(*e)) {
            exponent = numberEnd;
            numberEnd = SkipDigits(e, end);
            p = numberEnd;
        }
    }
    double value = 0.0;
    if (exponent == nullptr && digits.exact && fractionDigits < std::size(kPowersOfTen)) {
        // Both operands are exact doubles, so the one rounding of the division is the correct
        // rounding of the decimal number.
        value = static_cast<double>(digits.value) / kPowersOfTen[fractionDigits];
    } else {
        const auto result = std::from_chars(mantissa, numberEnd, value, std::chars_format::general);
        if (result.ec == std::errc::result_out_of_range) {
            value = LeadingExponent(mantissa, intEnd, exponent, numberEnd) >= 0
                        ? std::numeric_limits<double>::infinity()
                        : 0.0;
        }
    }
    return negative ? -value : value;
}

std::size_t NumberPrefixLength(std::string_view text) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin;
    if (p < end && (*p == '+' || *p == '-')) {
        ++p;
    }
    const char* const mantissa = p;
    p = SkipDigits(p, end);
    bool hasDigits = p > mantissa;
    if (p < end && *p == '.') {
        const char* const fraction = p + 1;
        p = SkipDigits(fraction, end);
        hasDigits = hasDigits || p > fraction;
    }
    if (!hasDigits) {
        return 0;
    }
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* e = p + 1;
        if (e < end && (*e == '+' || *e == '-')) {
            ++e;
        }
        if (e < end && IsDigit(*e)) {
            p = SkipDigits(e, end);
        }
    }
    return static_cast<std::size_t>(p - begin);
}

int32_t TextToInt(std::string_view text) {
    const char* p = text.data();
    return ReadInt(p, p + text.size());
}

int32_t ReadInt(const char*& p, const char* end) {
    while (p < end && IsBlank(*p)) {
        ++p;
    }
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    int64_t value = 0;
    for (; p < end && IsDigit(*p); ++p) {
        value = std::min<int64_t>(value * 10 + (*p - '0'), int64_t{1} << 32);
    }
    value = negative ? -value : value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

std::optional<double> ParseDecimal(std::string_view text) {
    const std::string_view number = TrimBlanks(text);
    const char* p = number.data();
    const char* const end = p + number.size();
    const double value = ReadDouble(p, end);
    // The whole text must be the number: ReadDouble stops where its form ends, and a text of
    // a sign alone or a bare exponent leaves it before the end or on a sign.
    if (number.empty() || p != end || !(IsDigit(end[-1]) || end[-1] == '.')) {
        return std::nullopt;
    }
    if (std::isinf(value)) {
        return std::nullopt;
    }
    // A value too small for a double reads as zero: refused unless the digits are all zero.
    if (value == 0.0) {
        for (const char* q = number.data(); q < end && *q != 'e' && *q != 'E'; ++q) {
            if (*q >= '1' && *q <= '9') {
                return std::nullopt;
            }
        }
    }
    return value;
}
