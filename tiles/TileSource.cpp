#include "tiles/TileSource.h"

#include <QBuffer>
#include <QImageReader>

namespace {

constexpr qsizetype kMaxTileBytes = 8 << 20;
constexpr int kMaxTileSide = 4096;  // pixels

}  // namespace

QImage DecodeTile(const QByteArray& bytes) {
    if (bytes.isEmpty() || bytes.size() > kMaxTileBytes) {
        return {};
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // A format that cannot tell its size first is held by the reader's allocation limit.
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxTileSide || size.height() > kMaxTileSide)) {
        return {};
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return {};
    }
    // The formats QPainter draws fastest.
    image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                            : QImage::Format_RGB32);
    return image;
}
