#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// How values are written into the files and tables Pelorin puts out, whatever the locale.

/// A JSON string literal of arbitrary bytes: valid UTF-8 passes through, control characters
/// are escaped, and each byte that is not part of valid UTF-8 is read as Latin-1 (\u00XX).
std::string JsonString(std::string_view bytes);

/// A figure for JSON: 17 significant digits, or the string "nan", "inf" or "-inf".
std::string JsonNumber(double value);

/// 17 significant digits, enough to give the same double back; "nan", "inf" and "-inf" as such.
std::string FormatPrecise(double value);

/// A CSV field, quoted when it holds a comma, a quote or a line end.
std::string CsvField(std::string_view text);

/// A figure for CSV: 17 significant digits, "inf" or "-inf", and nothing for NaN.
std::string CsvNumber(double value);

/// Tab-separated text for a spreadsheet: one line per row, the cells of a row a tab apart.
/// Tabs and line ends inside a cell become blanks, so every cell stays in its place.
std::string WriteTsv(const std::vector<std::vector<std::string>>& rows);

/// Columns a text takes in a table or on a terminal, counting the code points of UTF-8.
std::size_t DisplayWidth(std::string_view text);
