#include "map/MapTrack.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "plot/ProfilePasses.h"
#include "plot/SegmentClip.h"

namespace {

constexpr double kDrawMargin = 8.0;  // pixels: the widest pen's half and its round cap

/// The kept points of a level as the profile's passes read them: [k] is the kth kept point.
struct KeptPoints {
    const TrackPoint* points;
    const std::uint32_t* source;  // none: every point kept
    const TrackPoint& operator[](std::size_t k) const {
        return points[source != nullptr ? source[k] : k];
    }
};

/// Maps the kept points of a level to view pixels for the profile's passes, with the view's
/// scale and offsets worked out once, in the sums of MapView::ToPixel.
class WorldMapper {
public:
    WorldMapper(const WorldPoint* world, const std::uint32_t* source, const MapView& view)
        : m_world(world),
          m_source(source),
          m_scale(view.Scale()),
          m_left(view.Width() / 2.0 - view.Centre().x * m_scale),
          m_top(view.Height() / 2.0 - view.Centre().y * m_scale) {}
    PlotPoint Map(std::size_t k) const {
        const WorldPoint& w = m_world[m_source != nullptr ? m_source[k] : k];
        return {RoundPixel(w.x * m_scale + m_left), RoundPixel(w.y * m_scale + m_top)};
    }
    int X(std::size_t k) const { return Map(k).x; }
    void MoveTo(PlotCanvas& canvas, std::size_t k) const {
        const PlotPoint p = Map(k);
        canvas.MoveTo(p.x, p.y);
    }
    void LineTo(PlotCanvas& canvas, std::size_t k) const {
        const PlotPoint p = Map(k);
        canvas.LineTo(p.x, p.y);
    }

private:
    const WorldPoint* m_world;
    const std::uint32_t* m_source;
    double m_scale;  // pixels per world
    double m_left;   // view pixel of world x 0
    double m_top;    // view pixel of world y 0
};

bool SameLook(const TrackPoint& a, const TrackPoint& b) {
    return a.state == b.state && a.flags == b.flags;
}

/// A point that must stay for the colours: a run or section start, or a change of state or
/// flags on either side of it.
bool IsAnchor(const TrackPoint* points, std::size_t count, std::size_t i) {
    const TrackPoint& p = points[i];
    return p.state == StateRunStart || (p.flags & FlagSectionStart) != 0
           || (i > 0 && !SameLook(points[i - 1], p))
           || (i + 1 < count && !SameLook(p, points[i + 1]));
}

double Distance2(WorldPoint a, WorldPoint b) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return dx * dx + dy * dy;
}

void Extend(WorldBox& box, WorldPoint p) {
    box.left = std::fmin(box.left, p.x);
    box.right = std::fmax(box.right, p.x);
    box.top = std::fmin(box.top, p.y);
    box.bottom = std::fmax(box.bottom, p.y);
}

bool Overlaps(const WorldBox& a, const WorldBox& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

WorldBox Grown(WorldBox box, double by) {
    return {box.left - by, box.top - by, box.right + by, box.bottom + by};
}

constexpr WorldBox kEmptyBox{INFINITY, INFINITY, -INFINITY, -INFINITY};

}  // namespace

MapTrack::MapTrack(const TrackPoint* points, std::size_t count)
    : m_points(points), m_count(count), m_world(count) {
    double reference = NAN;
    WorldBox box = kEmptyBox;
    for (std::size_t i = 0; i < count; ++i) {
        const TrackPoint& p = points[i];
        if (std::isnan(reference) && std::isfinite(p.longitude)) {
            reference = p.longitude;
        }
        m_world[i] = ToWorld(p.latitude, UnwrapLongitude(p.longitude, reference));
        if (std::isfinite(m_world[i].x) && std::isfinite(m_world[i].y)) {
            Extend(box, m_world[i]);
        }
    }
    if (box.left <= box.right) {
        m_box = box;
    }
}

int MapTrack::LevelFor(double scale) {
    const double level = std::ceil(std::log2(scale / 256.0));
    return std::isfinite(level) ? static_cast<int>(std::clamp(level, 0.0, 30.0))
                                : (level > 0 ? 30 : 0);
}

const MapTrackLevel& MapTrack::Level(int level) {
    std::unique_ptr<MapTrackLevel>& slot =
        m_levels[static_cast<std::size_t>(std::clamp(level, 0, 30))];
    if (!slot) {
        slot = Simplify(level);
    }
    return *slot;
}

std::size_t MapTrack::LevelCount(int level) {
    return SizeOf(Level(level));
}

std::size_t MapTrack::SourceOf(const MapTrackLevel& level, std::size_t k) const {
    return level.whole ? k : level.source[k];
}

std::size_t MapTrack::SizeOf(const MapTrackLevel& level) const {
    return level.whole ? m_count : level.source.size();
}

std::unique_ptr<MapTrackLevel> MapTrack::Simplify(int level) {
    auto result = std::make_unique<MapTrackLevel>();
    const double halfPixel = 0.5 / (256.0 * std::exp2(level));  // world fractions
    const double limit = halfPixel * halfPixel;
    std::vector<std::uint32_t>& kept = result->source;
    if (m_count <= std::numeric_limits<std::uint32_t>::max()) {
        std::size_t last = 0;
        for (std::size_t i = 0; i < m_count && kept.size() * 2 <= m_count; ++i) {
            if (i == 0 || i + 1 == m_count || IsAnchor(m_points, m_count, i)
                || !(Distance2(m_world[i], m_world[last]) < limit)) {
                kept.push_back(static_cast<std::uint32_t>(i));
                last = i;
            }
        }
    }
    if (m_count > std::numeric_limits<std::uint32_t>::max() || kept.size() * 2 > m_count) {
        // Most points stay: the whole track serves, without a list.
        result->whole = true;
        kept = {};
        if (m_wholeChunks.empty()) {
            m_wholeChunks = ChunkBoxes(*result);
        }
        result->chunks = m_wholeChunks;
        return result;
    }
    kept.shrink_to_fit();
    result->chunks = ChunkBoxes(*result);
    return result;
}

std::vector<WorldBox> MapTrack::ChunkBoxes(const MapTrackLevel& level) const {
    std::vector<WorldBox> boxes;
    const std::size_t count = SizeOf(level);
    for (std::size_t first = 0; first < count; first += kChunk) {
        WorldBox box = kEmptyBox;
        const std::size_t end = std::min(count, first + kChunk);
        for (std::size_t k = first == 0 ? 0 : first - 1; k < end; ++k) {
            Extend(box, m_world[SourceOf(level, k)]);
        }
        boxes.push_back(box);
    }
    return boxes;
}

void MapTrack::Draw(PlotCanvas& canvas, const MapView& view) {
    MapTrackSteps steps(*this, view);
    steps.Step(canvas, std::numeric_limits<std::size_t>::max());
}

std::vector<std::pair<std::size_t, std::size_t>> MapTrack::RunsInView(const MapView& view) {
    const MapTrackLevel& level = Level(LevelFor(view.Scale()));
    const std::size_t count = SizeOf(level);
    const WorldBox reach = Grown(view.WorldExtent(), kDrawMargin / view.Scale());
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t c = 0; c < level.chunks.size(); ++c) {
        if (!Overlaps(level.chunks[c], reach)) {
            continue;
        }
        const std::size_t first = c * kChunk;
        const std::size_t end = std::min(count, first + kChunk);
        if (!runs.empty() && runs.back().second == first) {
            runs.back().second = end;
        } else {
            runs.emplace_back(first, end);
        }
    }
    return runs;
}

MapTrackSteps::MapTrackSteps(MapTrack& track, const MapView& view)
    : m_track(track),
      m_level(track.Level(MapTrack::LevelFor(view.Scale()))),
      m_view(view),
      m_runs(track.RunsInView(view)) {
    m_pass = track.SizeOf(m_level) < 2 || m_runs.empty() ? 2 : 0;
    m_next = m_runs.empty() ? 0 : m_runs.front().first;
}

bool MapTrackSteps::Step(PlotCanvas& canvas, std::size_t points) {
    const std::uint32_t* source = m_level.whole ? nullptr : m_level.source.data();
    const KeptPoints kept{m_track.m_points, source};
    const WorldMapper map(m_track.m_world.data(), source, m_view);
    while (m_pass < 2 && points != 0) {
        const auto [first, end] = m_runs[m_run];
        if (m_next == first && first > 0) {
            map.MoveTo(canvas, first - 1);  // where the link into the run starts
        }
        const std::size_t last = m_next + std::min(points, end - m_next);
        if (m_pass == 0) {
            profile_passes::DrawBands(canvas, map, nullptr, kept, m_next, last);
        } else {
            profile_passes::DrawProfileLine(canvas, map, nullptr, kept, m_next, last);
        }
        points -= last - m_next;
        m_next = last;
        if (m_next == end) {
            if (++m_run == m_runs.size()) {
                m_run = 0;
                ++m_pass;
            }
            m_next = m_runs[m_run].first;
        }
    }
    return m_pass == 2;
}

std::vector<std::vector<PlotPoint>> MapTrack::RangePath(const MapView& view, std::size_t first,
                                                        std::size_t last) {
    std::vector<std::vector<PlotPoint>> pieces;
    if (first > last || last >= m_count) {
        return pieces;
    }
    const MapTrackLevel& level = Level(LevelFor(view.Scale()));
    const std::size_t count = SizeOf(level);
    // The range's own ends, and the level's points between them.
    std::vector<WorldPoint> path{m_world[first]};
    std::size_t k = 0;
    if (!level.whole) {
        k = static_cast<std::size_t>(
            std::upper_bound(level.source.begin(), level.source.end(), first)
            - level.source.begin());
    } else {
        k = first + 1;
    }
    for (; k < count && SourceOf(level, k) < last; ++k) {
        path.push_back(m_world[SourceOf(level, k)]);
    }
    path.push_back(m_world[last]);
    const WorldBox reach = Grown(view.WorldExtent(), 16.0 / view.Scale());
    bool open = false;
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        Segment segment{path[i].x, path[i].y, path[i + 1].x, path[i + 1].y};
        if (!ClipSegment(segment, reach.left, reach.top, reach.right, reach.bottom)) {
            open = false;
            continue;
        }
        const WorldPoint a{segment.x1, segment.y1};
        const WorldPoint b{segment.x2, segment.y2};
        const PlotPoint pa = view.PixelOf(a);
        const PlotPoint pb = view.PixelOf(b);
        if (!open || pieces.back().back() != pa) {
            pieces.push_back({pa});
        }
        if (pieces.back().back() != pb) {
            pieces.back().push_back(pb);
        }
        open = true;
    }
    return pieces;
}

std::optional<std::size_t> MapTrack::NearestPoint(const MapView& view, double x, double y,
                                                  double radius) {
    const MapTrackLevel& level = Level(LevelFor(view.Scale()));
    const std::size_t count = SizeOf(level);
    const WorldPoint target = view.ToWorld(x, y);
    const double reach = radius / view.Scale();  // world fractions
    const WorldBox around{target.x - reach, target.y - reach, target.x + reach, target.y + reach};
    double best = reach * reach;
    std::optional<std::size_t> nearest;  // in the level
    for (std::size_t c = 0; c < level.chunks.size(); ++c) {
        if (!Overlaps(level.chunks[c], around)) {
            continue;
        }
        for (std::size_t k = c * kChunk; k < std::min(count, (c + 1) * kChunk); ++k) {
            const double d = Distance2(m_world[SourceOf(level, k)], target);
            if (d < best || (d == best && !nearest)) {
                best = d;
                nearest = k;
            }
        }
    }
    if (!nearest) {
        return std::nullopt;
    }
    // The points left out next to the kept one lie within half a pixel of the kept ones.
    const std::size_t from = *nearest == 0 ? 0 : SourceOf(level, *nearest - 1);
    const std::size_t to = *nearest + 1 < count ? SourceOf(level, *nearest + 1) : m_count - 1;
    std::size_t index = SourceOf(level, *nearest);
    for (std::size_t i = from; i <= to; ++i) {
        const double d = Distance2(m_world[i], target);
        if (d < best) {
            best = d;
            index = i;
        }
    }
    return index;
}
