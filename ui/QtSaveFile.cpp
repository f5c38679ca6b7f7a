#include "ui/QtSaveFile.h"

#include <QImage>
#include <QSaveFile>

#include "ui/QtPlotCanvas.h"

bool SaveTextFile(const QString& path, const std::function<bool(const TextSink&)>& produce) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const TextSink sink = [&file](std::string_view text) {
        const auto size = static_cast<qint64>(text.size());
        return file.write(text.data(), size) == size;
    };
    if (!produce(sink)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool SavePng(const QString& path, QImage image) {
    // A fixed resolution, 96 dots per inch: the image's default follows the screen, or its
    // absence, and the same profile must give the same file in the window and pelorin-cli.
    constexpr int kDotsPerMetre = 3780;
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG")) {
        return false;
    }
    return file.commit();
}

bool SaveProfilePng(const QString& path, const TrackPoint* points, std::size_t count,
                    bool overDistance, QSize size) {
    return SavePng(path, RenderProfileImage(points, count, overDistance, size));
}
