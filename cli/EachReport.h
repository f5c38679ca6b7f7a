#pragma once

#include <cstddef>
#include <string>

#include "analysis/Statistics.h"
#include "cli/CliOptions.h"

/// What the analysis of one file of a batch gives.
struct EachResult {
    std::string file;
    std::size_t sections = 0;  // sections read from the file
    std::size_t points = 0;    // points of the joined track
    bool analysed = false;     // statistics hold the figures (also of a partly read file)
    TrackStatistics statistics{};
    std::string messages;  // what the reader and the tool told the user, one line each
    std::string error;     // empty when the file was read and analysed without fault
};

/// Reads, joins and analyses one file as the tool does with that file alone, with the
/// thresholds passed explicitly. The reader's warnings are taken on the calling thread, so
/// that files may be analysed on several threads at once.
EachResult AnalyseFile(const std::string& file, const CliOptions& options);

/// The layout of the rows: the format, and for text the width of the file column.
struct EachLayout {
    ReportFormat format = ReportFormat::Text;
    std::size_t fileWidth = 0;  // columns of the longest file name to show
};

/// Columns a text takes on a terminal, counting code points.
std::size_t DisplayColumns(const std::string& text);

/// The lines before the first row: the heading for text and CSV, nothing for JSON Lines.
std::string WriteEachHeader(const EachLayout& layout);

/// One row, with its line end.
std::string WriteEachRow(const EachResult& result, const EachLayout& layout);
