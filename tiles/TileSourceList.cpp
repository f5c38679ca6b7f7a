#include "tiles/TileSourceList.h"

#include <algorithm>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace {

constexpr qint64 kMaxListBytes = 1 << 20;
constexpr int kZoomLimit = 24;  // beyond, tile numbers outgrow TileKey

std::optional<TileSourceInfo> ReadEntry(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    TileSourceInfo info;
    info.name = object.value(QLatin1String("name")).toString();
    info.url = object.value(QLatin1String("url")).toString();
    if (info.name.isEmpty() || info.url.isEmpty()) {
        return std::nullopt;
    }
    for (const QJsonValue& s : object.value(QLatin1String("subdomains")).toArray()) {
        if (!s.toString().isEmpty()) {
            info.subdomains.append(s.toString());
        }
    }
    info.attribution = object.value(QLatin1String("attribution")).toString();
    info.minZoom = std::clamp(object.value(QLatin1String("minZoom")).toInt(0), 0, kZoomLimit);
    info.maxZoom =
        std::clamp(object.value(QLatin1String("maxZoom")).toInt(19), info.minZoom, kZoomLimit);
    info.tileSize = std::clamp(object.value(QLatin1String("tileSize")).toInt(256), 64, 1024);
    info.url2x = object.value(QLatin1String("url2x")).toString();
    return info;
}

std::vector<TileSourceInfo> ReadList(const QString& path) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return ParseTileSources(file.read(kMaxListBytes));
}

}  // namespace

std::vector<TileSourceInfo> ParseTileSources(const QByteArray& json, QString* error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isArray()) {
        if (error != nullptr) {
            *error = parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                  : QStringLiteral("not a list");
        }
        return {};
    }
    std::vector<TileSourceInfo> sources;
    for (const QJsonValue& value : document.array()) {
        if (std::optional<TileSourceInfo> info = ReadEntry(value)) {
            sources = MergeTileSources(std::move(sources), {*info});
        }
    }
    return sources;
}

std::vector<TileSourceInfo> MergeTileSources(std::vector<TileSourceInfo> base,
                                             const std::vector<TileSourceInfo>& added) {
    for (const TileSourceInfo& info : added) {
        const auto same = std::find_if(
            base.begin(), base.end(), [&](const TileSourceInfo& b) { return b.name == info.name; });
        if (same != base.end()) {
            *same = info;
        } else {
            base.push_back(info);
        }
    }
    return base;
}

QString InstalledTileSourcesPath() {
    const QString name = QStringLiteral("tile-sources.json");
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString beside = programDir + QLatin1Char('/') + name;
    const QString installed = programDir + QStringLiteral("/../share/pelorin/") + name;
    if (!QFileInfo::exists(beside) && QFileInfo::exists(installed)) {
        return QFileInfo(installed).absoluteFilePath();
    }
    return beside;
}

QString UserTileSourcesPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/tile-sources.json");
}

std::vector<TileSourceInfo> ConfiguredTileSources() {
    return MergeTileSources(ReadList(InstalledTileSourcesPath()), ReadList(UserTileSourcesPath()));
}

std::optional<TileSourceInfo> FindTileSource(const std::vector<TileSourceInfo>& sources,
                                             const QString& name) {
    for (const TileSourceInfo& info : sources) {
        if (info.name == name) {
            return info;
        }
    }
    return std::nullopt;
}
