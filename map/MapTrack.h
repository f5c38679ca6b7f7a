#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "map/MapView.h"
#include "plot/PlotCanvas.h"
#include "track/TrackPoint.h"

/// The points of a track kept for one zoom level. A point is left out only where it lies
/// within half a pixel of the last one kept and neither it nor its neighbours change state or
/// stretch flags, so that every line drawn to a kept point has the colour of the points it
/// stands for. Run starts, section starts and the last point are always kept.
struct MapTrackLevel {
    bool whole = false;                 // every point kept: no list of indices
    std::vector<std::uint32_t> source;  // the kept points' indices in the whole track
    std::vector<WorldBox> chunks;       // boxes of kChunk kept points each and the link before
};

/// A track on the map: its positions in world fractions (longitudes unwrapped around the first
/// point's, latitudes clamped to the Mercator cut-off) and, per zoom level, the points kept
/// for drawing, each computed on first use and kept: four bytes a kept point, as GPS jitter
/// changes state so often that every level keeps a good part of the points.
class MapTrack {
public:
    static constexpr std::size_t kChunk = 256;  // points per box of the culling

    /// The points must outlive the map track and stay unchanged.
    MapTrack(const TrackPoint* points, std::size_t count);

    std::size_t Count() const { return m_count; }
    /// The box of the points with a position; none when there is none.
    std::optional<WorldBox> Box() const { return m_box; }
    WorldPoint WorldOf(std::size_t i) const { return m_world[i]; }

    /// The level whose half pixel is no wider than half a pixel at a scale in pixels per world.
    static int LevelFor(double scale);
    const MapTrackLevel& Level(int level);
    /// The kept points of a level, counted.
    std::size_t LevelCount(int level);

    /// The bands and the line in the profile's state colours and pens, the lines of the points
    /// that cannot reach the view left out.
    void Draw(PlotCanvas& canvas, const MapView& view);
    /// The kept points of the view's level in runs of whole chunks that reach the view, each
    /// from its first point to its end (excluded).
    std::vector<std::pair<std::size_t, std::size_t>> RunsInView(const MapView& view);
    /// The points first to last (inclusive) of the whole track as pixel polylines clipped to
    /// the view with a margin, for a highlighted range.
    std::vector<std::vector<PlotPoint>> RangePath(const MapView& view, std::size_t first,
                                                  std::size_t last);
    /// The index of the track point nearest to a view pixel within the radius; none when no
    /// point is that close.
    std::optional<std::size_t> NearestPoint(const MapView& view, double x, double y,
                                            double radius = 10.0);

private:
    friend class MapTrackSteps;

    std::size_t SourceOf(const MapTrackLevel& level, std::size_t k) const;
    std::size_t SizeOf(const MapTrackLevel& level) const;
    std::unique_ptr<MapTrackLevel> Simplify(int level);
    std::vector<WorldBox> ChunkBoxes(const MapTrackLevel& level) const;

    const TrackPoint* m_points;
    std::size_t m_count;
    std::vector<WorldPoint> m_world;
    std::optional<WorldBox> m_box;
    std::vector<WorldBox> m_wholeChunks;  // of the whole track, made once a level needs them
    std::array<std::unique_ptr<MapTrackLevel>, 31> m_levels;
};

/// The drawing of MapTrack::Draw in steps of some points each: the same operations in the same
/// order, however the steps are cut, so that the window draws a long track between events.
class MapTrackSteps {
public:
    /// The track must outlive the steps.
    MapTrackSteps(MapTrack& track, const MapView& view);

    /// Draws the next points of the passes, about the given number; true once all is drawn.
    bool Step(PlotCanvas& canvas, std::size_t points);

private:
    const MapTrack& m_track;
    const MapTrackLevel& m_level;
    MapView m_view;
    std::vector<std::pair<std::size_t, std::size_t>> m_runs;
    int m_pass = 0;         // bands, line; 2: done
    std::size_t m_run = 0;  // in m_runs
    std::size_t m_next = 0;
};
