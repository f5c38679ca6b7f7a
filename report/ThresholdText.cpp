#include "report/ThresholdText.h"

#include <cmath>

#include "track/NumberText.h"

namespace {

constexpr bool IsBlankOrTab(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::optional<double> ReadThresholdText(std::string_view text) {
    text = text.substr(0, kThresholdTextLimit);
    std::size_t start = 0;
    while (start < text.size() && IsBlankOrTab(text[start])) {
        ++start;
    }
    const std::string_view rest = text.substr(start);
    const std::size_t length = NumberPrefixLength(rest);
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
