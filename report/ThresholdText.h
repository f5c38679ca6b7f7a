#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

/// Characters of a threshold edit that are looked at; the rest is never read.
inline constexpr std::size_t kThresholdTextLimit = 31;

/// Reads the text of a threshold edit: blanks and tabs around one number with an optional sign,
/// digits, a full stop as decimal point and an optional exponent. A zero must be written with
/// a leading digit 0, so "0" and "0.0" are read while "", "-0" and ".0" are not. The locale
/// plays no part. Empty when the text is rejected.
std::optional<double> ReadThresholdText(std::string_view text);
