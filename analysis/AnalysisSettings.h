#pragma once

/// How the chosen sections are put together.
enum ConnectionMode : int {
    ConnectNone = 0,  // every section is a run of its own
    ConnectAuto = 1,  // join where time gap and jump are small
    ConnectAll = 2,   // one continuous track
};

/// Which heights the points take before the analysis.
enum class ElevationSource {
    Recorded,             // the elevations as the files give them
    Terrain,              // the terrain's, where a tile gives one
    TerrainWhereMissing,  // the terrain's only for points whose file had no elevation
};

inline constexpr double kKmhToMetresPerSecond = 0.2777777777777778;

/// Everything the analysis of a track depends on besides its points. It travels with every
/// call, so that tracks may be analysed with different settings at once (on several threads,
/// or a range beside the whole track).
struct AnalysisSettings {
    ConnectionMode connection = ConnectAuto;
    double verticalThreshold = 15.0;  // metres of climb or descent that establish a trend
    double speedThreshold = 1.8 * kKmhToMetresPerSecond;  // metres per second; slower is stopped
    ElevationSource elevation = ElevationSource::Recorded;

    /// The settings from the thresholds as the user gives them: metres and km/h; the recorded
    /// elevations.
    static AnalysisSettings FromKmh(ConnectionMode connection, double verticalThreshold,
                                    double speedThresholdKmh) {
        return {connection, verticalThreshold, speedThresholdKmh * kKmhToMetresPerSecond,
                ElevationSource::Recorded};
    }
};
