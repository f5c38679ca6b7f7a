#include "app/ThresholdText.h"

#include <cmath>

#include "track/NumberText.h"

namespace {

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool IsBlankOrTab(char c) {
    return c == ' ' || c == '\t';
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    return i;
}

/// End of the longest number at the start of text; 0 when there is none.
std::size_t NumberLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    const std::size_t mantissa = i;
    i = SkipDigits(text, i);
    bool hasDigits = i > mantissa;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fraction = i + 1;
        const std::size_t fractionEnd = SkipDigits(text, fraction);
        hasDigits = hasDigits || fractionEnd > fraction;
        i = fractionEnd;
    }
    if (!hasDigits) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t e = i + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) {
            ++e;
        }
        if (e < text.size() && IsDigit(text[e])) {
            i = SkipDigits(text, e);
        }
    }
    return i;
}

}  // namespace

std::optional<double> ReadThresholdText(std::string_view text) {
    text = text.substr(0, kThresholdTextLimit);
    std::size_t start = 0;
    while (start < text.size() && IsBlankOrTab(text[start])) {
        ++start;
    }
    const std::string_view rest = text.substr(start);
    const std::size_t length = NumberLength(rest);
    const double value = length == 0 ? 0.0 : TextToDouble(rest.substr(0, length));
    for (std::size_t i = length; i < rest.size(); ++i) {
        if (!IsBlankOrTab(rest[i])) {
            return std::nullopt;
        }
    }
    // A zero counts only when written with a leading 0: a number that rounds to nothing, or
    // no number at all, is refused.
    if (value == 0.0 && (rest.empty() || rest.front() != '0')) {
        return std::nullopt;
    }
    // Nor is a number too large for a double: the edit could not show it as a number again,
    // and every later reading would fail.
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}
