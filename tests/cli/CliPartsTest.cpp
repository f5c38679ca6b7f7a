#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/AnalysisSettings.h"
#include "cli/CliOptions.h"
#include "report/ThresholdText.h"

namespace {

std::optional<CliOptions> Parse(std::vector<std::string> args, std::string* error = nullptr) {
    std::string message;
    std::optional<CliOptions> options = ParseCliOptions(args, message);
    if (error != nullptr) {
        *error = message;
    }
    return options;
}

}  // namespace

TEST(CliOptions, DefaultsAreThoseOfTheWindow) {
    const std::optional<CliOptions> options = Parse({"a.plt", "b.plt"});
    ASSERT_TRUE(options.has_value());
    EXPECT_EQ(options->files, (std::vector<std::string>{"a.plt", "b.plt"}));
    EXPECT_FALSE(options->select.has_value());
    EXPECT_EQ(options->analysis.connection, ConnectAuto);
    EXPECT_EQ(options->analysis.verticalThreshold, 15.0);
    EXPECT_EQ(options->analysis.speedThreshold, 1.8 * kKmhToMetresPerSecond);
    EXPECT_EQ(options->format, ReportFormat::Text);
    EXPECT_TRUE(options->overDistance);
    EXPECT_EQ(options->plotWidth, 856);
    EXPECT_EQ(options->plotHeight, 169);
}

TEST(CliOptions, ValuesFollowAsNextArgumentOrAfterEquals) {
    const std::optional<CliOptions> options =
        Parse({"--vertical", "-5", "--speed=-1e-09", "--select", "3, 1,3", "--connect", "none",
               "--over=time", "--size", "300X80", "--", "--odd.plt"});
    ASSERT_TRUE(options.has_value());
    EXPECT_EQ(options->analysis.verticalThreshold, -5.0);
    EXPECT_EQ(options->analysis.speedThreshold, -1e-09 * kKmhToMetresPerSecond);
    EXPECT_EQ(options->select, (std::vector<std::size_t>{3, 1, 3}));
    EXPECT_EQ(options->analysis.connection, ConnectNone);
    EXPECT_FALSE(options->overDistance);
    EXPECT_EQ(options->plotWidth, 300);
    EXPECT_EQ(options->plotHeight, 80);
    EXPECT_EQ(options->files, (std::vector<std::string>{"--odd.plt"}));
    EXPECT_EQ(Parse({"--select", "", "a.plt"})->select, std::vector<std::size_t>{});
}

TEST(CliOptions, ThresholdsReadAsTheWindowsEditsReadThem) {
    const auto vertical = [](const char* text) -> std::optional<double> {
        const std::optional<CliOptions> options = Parse({"--vertical", text, "a.plt"});
        return options ? std::optional<double>(options->analysis.verticalThreshold) : std::nullopt;
    };
    EXPECT_EQ(vertical(" 1.5 "), 1.5);
    EXPECT_EQ(vertical("+.5e1"), 5.0);
    EXPECT_EQ(vertical("7."), 7.0);
    EXPECT_EQ(vertical("0.0"), 0.0);
    for (const char* bad : {"", ".", "e5", "1e", "1,5", "inf", "nan", "0x10", "1e400", "--1", "-0",
                            "+0", ".0", "1e-400"}) {
        EXPECT_EQ(vertical(bad), std::nullopt) << bad;
        EXPECT_EQ(ReadThresholdText(bad), std::nullopt) << bad;
    }
}

TEST(CliOptions, PlotSidesRunFromOneTo16384) {
    for (const char* good : {"1x1", "16384x1", "1x16384", "16384X16384"}) {
        EXPECT_TRUE(Parse({"--size", good, "a.plt"}).has_value()) << good;
    }
    for (const char* bad : {"0x1", "1x0", "16385x1", "1x16385", "x5", "5x", "-1x5", "5x5x5"}) {
        EXPECT_FALSE(Parse({"--size", bad, "a.plt"}).has_value()) << bad;
    }
    const std::optional<CliOptions> largest = Parse({"--size=16384x2", "a.plt"});
    ASSERT_TRUE(largest.has_value());
    EXPECT_EQ(largest->plotWidth, 16384);
    EXPECT_EQ(largest->plotHeight, 2);
}
