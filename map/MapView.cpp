#include "map/MapView.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double kPixelLimit = 16777216.0;  // far outside any surface, exact as int and double
constexpr double kZoomLimit = 30.0;         // tile numbers beyond stop fitting an int

/// Squared pixels from the tile's middle to the view's.
double CentreDistance(const TilePlacement& tile, const MapView& view) {
    const double dx = tile.left + tile.side / 2.0 - view.Width() / 2.0;
    const double dy = tile.top + tile.side / 2.0 - view.Height() / 2.0;
    return dx * dx + dy * dy;
}

}  // namespace

int RoundPixel(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(std::floor(std::clamp(value, -kPixelLimit, kPixelLimit) + 0.5));
}

MapView::MapView(int width, int height, int tileSize)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_tileSize(tileSize) {}

void MapView::Resize(int width, int height) {
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
}

void MapView::SetZoomRange(double minZoom, double maxZoom) {
    m_minZoom = std::clamp(minZoom, 0.0, kZoomLimit);
    m_maxZoom = std::clamp(maxZoom, m_minZoom, kZoomLimit);
    SetZoom(m_zoom);
}

void MapView::SetCentre(WorldPoint centre) {
    // x stays within two worlds of the world's own: an unwrapped track lies within one.
    if (std::isfinite(centre.x) && std::isfinite(centre.y)) {
        m_centre = {std::clamp(centre.x, -2.0, 3.0), std::clamp(centre.y, 0.0, 1.0)};
    }
}

void MapView::SetZoom(double zoom) {
    m_zoom = std::isfinite(zoom) ? std::clamp(zoom, m_minZoom, m_maxZoom) : m_minZoom;
}

void MapView::FitTo(const WorldBox& box, double margin) {
    SetCentre({(box.left + box.right) / 2.0, (box.top + box.bottom) / 2.0});
    const double width = std::max(m_width - 2.0 * margin, 1.0);
    const double height = std::max(m_height - 2.0 * margin, 1.0);
    // Pixels per world side that fit each way; the zoom is its base-2 logarithm over a tile.
    const double fitX = box.right > box.left ? width / (box.right - box.left) : INFINITY;
    const double fitY = box.bottom > box.top ? height / (box.bottom - box.top) : INFINITY;
    const double fit = std::min(fitX, fitY);
    SetZoom(std::isfinite(fit) ? std::floor(std::log2(fit / m_tileSize)) : m_maxZoom);
}

void MapView::ZoomAround(double x, double y, double steps) {
    const WorldPoint anchor = ToWorld(x, y);
    SetZoom(m_zoom + steps);
    const double scale = Scale();
    SetCentre({anchor.x - (x - m_width / 2.0) / scale, anchor.y - (y - m_height / 2.0) / scale});
}

void MapView::Pan(double dx, double dy) {
    const double scale = Scale();
    SetCentre({m_centre.x - dx / scale, m_centre.y - dy / scale});
}

WorldPoint MapView::ToPixel(WorldPoint world) const {
    const double scale = Scale();
    // As the track's mapping computes it, so that both round alike.
    return {world.x * scale + (m_width / 2.0 - m_centre.x * scale),
            world.y * scale + (m_height / 2.0 - m_centre.y * scale)};
}

PlotPoint MapView::PixelOf(WorldPoint world) const {
    const WorldPoint p = ToPixel(world);
    return {RoundPixel(p.x), RoundPixel(p.y)};
}

WorldPoint MapView::ToWorld(double x, double y) const {
    const double scale = Scale();
    return {m_centre.x + (x - m_width / 2.0) / scale, m_centre.y + (y - m_height / 2.0) / scale};
}

WorldBox MapView::WorldExtent() const {
    const WorldPoint topLeft = ToWorld(0.0, 0.0);
    const WorldPoint bottomRight = ToWorld(m_width, m_height);
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

int MapView::TileZoom() const {
    return static_cast<int>(std::clamp(std::round(m_zoom), std::ceil(m_minZoom), m_maxZoom));
}

std::vector<TilePlacement> MapView::Tiles(int rings) const {
    if (m_width == 0 || m_height == 0) {
        return {};
    }
    const int zoom = TileZoom();
    const double tiles = std::exp2(zoom);  // tiles per world side
    const double side = Scale() / tiles;   // pixels per tile
    const WorldBox extent = WorldExtent();
    // The last tile is the one holding the pixel just inside the right and bottom edges.
    const auto first = [&](double w) {
        return static_cast<long long>(std::floor(w * tiles));
    };
    const long long left = first(extent.left);
    const long long right = first(extent.right - 0.5 / Scale());
    const long long top = first(extent.top);
    const long long bottom = first(extent.bottom - 0.5 / Scale());
    const long long rowCount = static_cast<long long>(tiles);
    const WorldPoint origin = ToPixel({0.0, 0.0});
    std::vector<TilePlacement> placements;
    for (int ring = 0; ring <= rings; ++ring) {
        for (long long y = top - ring; y <= bottom + ring; ++y) {
            for (long long x = left - ring; x <= right + ring; ++x) {
                const bool onRing =
                    x == left - ring || x == right + ring || y == top - ring || y == bottom + ring;
                if ((ring > 0 && !onRing) || y < 0 || y >= rowCount) {
                    continue;
                }
                placements.push_back({{zoom, WrapTileX(x, zoom), static_cast<int>(y)},
                                      origin.x + static_cast<double>(x) * side,
                                      origin.y + static_cast<double>(y) * side,
                                      side,
                                      ring == 0});
            }
        }
        if (ring == 0) {
            std::stable_sort(placements.begin(), placements.end(),
                             [&](const auto& a, const auto& b) {
                                 return CentreDistance(a, *this) < CentreDistance(b, *this);
                             });
        }
    }
    return placements;
}

double MapView::MetresPerPixel() const {
    return ::MetresPerPixel(FromWorld(m_centre).latitude, m_zoom, m_tileSize);
}
