#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis/ChannelStatistics.h"
#include "analysis/Statistics.h"
#include "report/Report.h"

// The rows of a batch: one line per file analysed on its own, as text, CSV or JSON Lines.

/// What the analysis of one file of a batch gives.
struct BatchResult {
    std::string file;
    std::size_t sections = 0;  // sections read from the file
    std::size_t points = 0;    // points of the joined track
    bool analysed = false;     // statistics hold the figures (also of a partly read file)
    bool hasTimes = true;      // false: the dates are no real dates (a file without times)
    TrackStatistics statistics{};
    ChannelStatistics channels;
    std::optional<TerrainFigures> terrain;  // with a terrain folder, for the JSON Lines
    std::vector<std::string> messages;      // what the reader and the tool told the user
    std::string error;  // empty when the file was read and analysed without fault
};

/// The layout of the rows: the format, for text the width of the file column, and for text
/// and CSV the channels whose figures have columns (those any file of the batch has).
struct BatchLayout {
    ReportFormat format = ReportFormat::Text;
    std::size_t fileWidth = 0;  // columns of the longest file name to show
    DisplayOptions display;     // the texts and units of the figures
    std::array<bool, kChannelCount> channels{};
};

/// The lines before the first row: the heading for text and CSV, nothing for JSON Lines.
std::string WriteBatchHeader(const BatchLayout& layout);

/// One row, with its line end.
std::string WriteBatchRow(const BatchResult& result, const BatchLayout& layout);
