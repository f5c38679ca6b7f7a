#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <utility>

#include <QImage>
#include <QPainter>
#include <QString>

#include "map/MapTrack.h"
#include "map/MapView.h"
#include "tiles/MapTrackLayer.h"

/// What a map picture shows.
struct MapScene {
    const MapView* view = nullptr;
    MapTrack* track = nullptr;                  // none: the tiles alone
    std::function<QImage(const TileId&)> tile;  // a decoded tile; null where there is none
    QString attribution;                        // always shown, in the bottom-right corner
    std::optional<std::pair<std::size_t, std::size_t>> range;  // points highlighted, inclusive
    const MapTrackLayer* layer = nullptr;         // the track drawn before; none: drawn now
    std::function<void(QPainter&)> rangePicture;  // paints the range drawn before; none: drawn now
};

/// Paints the map on a surface of the view's size: the tiles (the plan view's background
/// where one is missing), the track in the profile's state colours and pens, the range in a
/// wide translucent pen, start and end markers, the scale bar and the attribution. The track
/// comes from the layer where the scene has one with a drawing.
void PaintMap(QPainter& painter, const MapScene& scene);

inline constexpr int kRangeAlpha = 90;  // of 255: the range's pen over the track

/// The points first to last (inclusive) of the track in the range's wide translucent pen; opaque:
/// in its colour alone, for a picture of the range that is painted with that alpha, so that
/// pieces drawn one after another do not darken where they meet.
void PaintRange(QPainter& painter, MapTrack& track, const MapView& view, std::size_t first,
                std::size_t last, bool opaque = false);

/// The map painted into an image of the view's size.
QImage RenderMap(const MapScene& scene);
