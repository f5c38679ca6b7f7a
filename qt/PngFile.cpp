#include "qt/PngFile.h"

#include <string_view>

#include <QBuffer>
#include <QByteArray>

#include "qt/ProfileImage.h"
#include "report/ReportFile.h"

bool SavePng(const std::string& path, QImage image) {
    // A fixed resolution, 96 dots per inch: the image's default follows the screen, or its
    // absence, and the same profile must give the same file in the window and pelorin-cli.
    constexpr int kDotsPerMetre = 3780;
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        return false;
    }
    return WriteFile(path,
                     std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool SaveProfilePng(const std::string& path, const TrackPoint* points, std::size_t count,
                    bool overDistance, QSize size) {
    return SavePng(path, RenderProfileImage(points, count, overDistance, size));
}
