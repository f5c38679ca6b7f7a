#include "cli/CliOptions.h"

#include <charconv>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

#include "report/ThresholdText.h"

const char kCliUsage[] =
    R"(Usage: pelorin-cli [options] FILE [FILE...]
       pelorin-cli --each [options] FILE|DIR...

Analyses track files as the Pelorin window does and prints the window title, the sections
list and the statistics list.

  A FILE may be an OziExplorer track (.plt), GPX, TCX, IGC or FIT file, in any mix: GPX, TCX
  and FIT are known by their content, IGC by the name ending in .igc, and anything else reads
  as .plt.
  The first FILE is read as a Load, each further FILE is appended, so sections come in that
  order. A file that cannot be read is reported on stderr; the rest is still analysed.

Options (a value may follow as the next argument or after '='; values may begin with '-'):
  --select LIST   comma-separated 0-based section indices to choose, in any order; the
                  chosen sections are joined in list order and an index given twice counts
                  once; default all; an empty string chooses none
  --connect MODE  none | auto | all (default auto): sections are not connected; joined where
                  the time gap is at most 45 minutes and the jump at most 5000 m; all joined
  --vertical M    vertical threshold in metres (default 15)
  --speed KMH     speed threshold in km/h (default 1.8); both read as the window's edits
                  read them: a zero must be written with a leading 0 ("0", "0.0", not "-0"
                  or ".0"), and only the first 31 characters count
  --dem DIR       a folder of SRTM terrain tiles (N46E013.hgt, also .hgt.gz and .hgt.zip
                  holding one tile; 1 and 3 arc-seconds); default the environment variable
                  PELORIN_DEM. The terrain height under each point is looked up in the tiles
                  the track touches; a tile that cannot be used is named on stderr
  --elevation SRC recorded | terrain | fill (default recorded): the heights every figure,
                  --points, --plot and --map follow: as recorded; the terrain's; the
                  terrain's only where the file gave a point no elevation (a GPX without
                  <ele>, say). A point without a terrain height keeps the recorded one, and
                  stderr says per file how many did. terrain and fill need --dem
  --units UNITS   metric | imperial (default metric): the texts of the figures in km, m,
                  km/h and m/m, or in mi, ft, mph and ft/min; slopes stay percentages
  --time ZONE     utc | local (default utc): dates and times of day as the file stores
                  them (unit GMT), or in this machine's time zone (unit: its abbreviation)
  --format FMT    text | json | csv (default text)
                    text: the title, then the sections and statistics lists as tables
                    json: {"title", "sections": [{"index", "name", "display_name", "begin",
                          "end", "points", "distance"}], "statistics": [{"label", "value",
                          "text", "unit"}]}; value is the figure with 17 significant digits or
                          "nan", "inf", "-inf", in the track's own units (km, m, km/h,
                          m/m, days since 1899-12-30 in UTC) whatever --units and --time
                          say; the other fields are the texts the window shows; bytes of
                          names that are not UTF-8 are read as Latin-1; a section with
                          heart rate, cadence, power or temperature lists them in
                          "channels". With --dem also "terrain": {"points_without_height",
                          "statistics": [Total Ascent, Total Descent, Min and Max Elevation
                          as above]}: the figures of the terrain heights, whatever
                          --elevation chooses
                    csv:  the statistics as Property,Value,Units
                  After the 31 figures come those of the channels the joined track has:
                  Average and Maximum Heart Rate (bpm), Average and Maximum Cadence (rpm),
                  Average and Maximum Power (W), Average, Minimum and Maximum Temperature
                  (degrees C). Averages weigh each sample by its segment's moving time;
                  zero cadence (coasting) is left out of the average, zero power is not
  --points FILE   write the joined, analysed track as it stands after the statistics were
                  computed, as CSV: index,state,distance,flags,longitude,latitude,altitude,time
                  (numbers with 17 significant digits), then heart_rate,cadence,power,
                  temperature when the track has any of them (empty where a point has none)
  --plot FILE     draw the altitude profile into FILE, .svg or .png
  --over WHAT     distance | time (default distance): the horizontal axis of the plot
  --size WxH      plot and map size in pixels, 1 to 16384 each (default 856x169)
  --map FILE      draw the track on a map into FILE (.png): in the profile's colours over
                  map tiles, fitted, with start and end markers, a scale bar and the tiles'
                  attribution; grey where a tile is missing
  --tiles SOURCE  the map's tiles: an MBTiles file, a folder laid out Z/X/Y.png, or the name
                  of a tile source configured in tile-sources.json (installed with Pelorin,
                  and in the user's configuration folder); default the first configured
  --online        fetch the map's missing tiles from the source's server into the tile cache;
                  without it tiles come only from the cache, the file or the folder
  --each          analyse every FILE on its own, exactly as if it were given alone, and
                  so every .plt, .gpx, .tcx, .igc and .fit file (any case) under each DIR,
                  which is walked recursively in sorted path order; one row per file, in
                  that order (JSON Lines as soon as the files before it are done, text and
                  CSV once every file is read, since their heading names the channels):
                    text: file, Distance 3D, Total Time, Moving Time, Total Ascent, Total
                          Descent, Max Elevation, Maximum Speed as the list shows them, then
                          the channel figures of the channels any file has
                    json: one object per line: {"file", "sections", "points", "statistics":
                          [as above]}, "terrain" as above with --dem, and "error" when the
                          file failed
                    csv:  file,sections,points, the 31 statistics labels, the channel figures
                          of the channels any file has, error; values with 17 significant
                          digits, empty for nan and where a file lacks the channel
                  sections counts the file's sections, points the analysed points; a failed
                  file's message goes to stderr and into its row; --points, --plot
                  and --map cannot be used with it
  --total         with --each: a last row "TOTAL" over the files read without error. Summed:
                  sections, points, Total, Moving and Stopped Time, Distance 2D and 3D,
                  Total Ascent and Descent, Ascent, Descent and Level Time, Ascent and
                  Descent Distance, Total Ascent and Descent Time. Earliest Begin, latest
                  End, lowest Min Elevation; highest Max Elevation, Maximum Speed and
                  Maximum Slopes. Averages and average slopes are recomputed from the sums;
                  channel averages are weighted by each file's time with the channel.
  --jobs N        with --each: files analysed at once, 1 to 256 (default: one per hardware
                  thread)
  --help          show this text
  --              every later argument is a FILE

Numbers are written with a full stop as decimal point, whatever the locale.

Exit status: 0 success; 1 a file could not be opened, read or written, or held no track
point (with --each: any file failed, an index that names no section included); 2 a mistake on the command line
(unknown option, bad number, size or index; an index that names no section).
)";

namespace {

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<std::vector<std::size_t>> ParseIndexList(std::string_view text) {
    std::vector<std::size_t> indices;
    text = Trim(text);
    if (text.empty()) {
        return indices;
    }
    for (;;) {
        const std::size_t comma = text.find(',');
        const std::string_view item = Trim(text.substr(0, comma));
        std::size_t index = 0;
        const auto result = std::from_chars(item.data(), item.data() + item.size(), index);
        if (item.empty() || !IsDigit(item[0]) || result.ec != std::errc()
            || result.ptr != item.data() + item.size()) {
            return std::nullopt;
        }
        indices.push_back(index);
        if (comma == std::string_view::npos) {
            return indices;
        }
        text.remove_prefix(comma + 1);
    }
}

std::optional<int> ParseSide(std::string_view text) {
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || !IsDigit(text[0]) || result.ec != std::errc()
        || result.ptr != text.data() + text.size() || value < 1 || value > kMaxPlotSide) {
        return std::nullopt;
    }
    return value;
}

bool ParseSize(std::string_view text, CliOptions& options) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) {
        return false;
    }
    const std::optional<int> width = ParseSide(text.substr(0, x));
    const std::optional<int> height = ParseSide(text.substr(x + 1));
    if (!width || !height) {
        return false;
    }
    options.plotWidth = *width;
    options.plotHeight = *height;
    return true;
}

bool ParseChoice(std::string_view text, std::initializer_list<std::string_view> names, int& index) {
    int i = 0;
    for (std::string_view name : names) {
        if (text == name) {
            index = i;
            return true;
        }
        ++i;
    }
    return false;
}

/// Applies one option with its value; false with a message on a bad value.
bool ApplyOption(std::string_view name, const std::string& value, CliOptions& options,
                 std::string& error) {
    int choice = 0;
    bool ok = true;
    if (name == "--select") {
        options.select = ParseIndexList(value);
        ok = options.select.has_value();
    } else if (name == "--connect") {
        ok = ParseChoice(value, {"none", "auto", "all"}, choice);
        options.analysis.connection = static_cast<ConnectionMode>(choice);
    } else if (name == "--vertical") {
        const std::optional<double> metres = ReadThresholdText(value);
        ok = metres.has_value();
        options.analysis.verticalThreshold = metres.value_or(0.0);
    } else if (name == "--speed") {
        const std::optional<double> kmh = ReadThresholdText(value);
        ok = kmh.has_value();
        options.analysis.speedThreshold = kmh.value_or(0.0) * kKmhToMetresPerSecond;
    } else if (name == "--units") {
        ok = ParseChoice(value, {"metric", "imperial"}, choice);
        options.display.units = static_cast<UnitSystem>(choice);
    } else if (name == "--time") {
        ok = ParseChoice(value, {"utc", "local"}, choice);
        options.display.time = static_cast<TimeReference>(choice);
    } else if (name == "--format") {
        ok = ParseChoice(value, {"text", "json", "csv"}, choice);
        options.format = static_cast<ReportFormat>(choice);
    } else if (name == "--over") {
        ok = ParseChoice(value, {"distance", "time"}, choice);
        options.overDistance = choice == 0;
    } else if (name == "--size") {
        ok = ParseSize(value, options);
    } else if (name == "--jobs") {
        const auto result =
            std::from_chars(value.data(), value.data() + value.size(), options.jobs);
        ok = !value.empty() && IsDigit(value[0]) && result.ec == std::errc()
             && result.ptr == value.data() + value.size() && options.jobs >= 1
             && options.jobs <= kMaxJobs;
    } else if (name == "--points") {
        options.pointsPath = value;
        ok = !value.empty();
    } else if (name == "--plot") {
        options.plotPath = value;
        ok = PlotFormatOf(value).has_value();
    } else if (name == "--map") {
        options.mapPath = value;
        ok = PlotFormatOf(value) == PlotFormat::Png;
    } else if (name == "--tiles") {
        options.tiles = value;
        ok = !value.empty();
    } else if (name == "--dem") {
        options.dem = value;
        ok = !value.empty();
    } else if (name == "--elevation") {
        ok = ParseChoice(value, {"recorded", "terrain", "fill"}, choice);
        options.analysis.elevation = static_cast<ElevationSource>(choice);
    }
    if (!ok) {
        error = "invalid value for " + std::string(name) + ": '" + value + "' (see --help)";
    }
    return ok;
}

bool TakesValue(std::string_view name) {
    for (std::string_view known :
         {"--select", "--connect", "--vertical", "--speed", "--units", "--time", "--format",
          "--points", "--plot", "--over", "--size", "--jobs", "--map", "--tiles", "--dem",
          "--elevation"}) {
        if (name == known) {
            return true;
        }
    }
    return false;
}

/// Options that only make sense together, or not at all together.
bool CheckCombination(const CliOptions& options, std::string& error) {
    if (!options.each && (options.total || options.jobs != 0)) {
        error = "--total and --jobs need --each";
        return false;
    }
    if (options.each
        && (!options.pointsPath.empty() || !options.plotPath.empty() || !options.mapPath.empty())) {
        error = "--points, --plot and --map cannot be used with --each";
        return false;
    }
    if (options.mapPath.empty() && (!options.tiles.empty() || options.online)) {
        error = "--tiles and --online need --map";
        return false;
    }
    if (options.dem.empty() && options.analysis.elevation != ElevationSource::Recorded) {
        error =
            "--elevation terrain and fill need a folder of terrain tiles: --dem DIR or "
            "PELORIN_DEM";
        return false;
    }
    return true;
}

}  // namespace

std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, std::string& error,
                                          const std::string& demFromEnvironment) {
    CliOptions options;
    options.dem = demFromEnvironment;
    bool filesOnly = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (filesOnly || arg.size() < 2 || arg[0] != '-') {
            options.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            filesOnly = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        }
        if (arg == "--each" || arg == "--total") {
            (arg == "--each" ? options.each : options.total) = true;
            continue;
        }
        if (arg == "--online") {
            options.online = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (!TakesValue(name)) {
            error = "unknown option '" + arg + "'";
            return std::nullopt;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            error = "option " + name + " needs a value";
            return std::nullopt;
        }
        if (!ApplyOption(name, value, options, error)) {
            return std::nullopt;
        }
    }
    if (options.files.empty()) {
        error = "no track file given";
        return std::nullopt;
    }
    return CheckCombination(options, error) ? std::optional(options) : std::nullopt;
}

std::optional<PlotFormat> PlotFormatOf(const std::string& path) {
    if (path.size() < 4) {
        return std::nullopt;
    }
    std::string extension = path.substr(path.size() - 4);
    for (char& c : extension) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    if (extension == ".svg") {
        return PlotFormat::Svg;
    }
    if (extension == ".png") {
        return PlotFormat::Png;
    }
    return std::nullopt;
}
