#include "ui/SettingsStore.h"

#include <QFileInfo>

#include "qt/QtText.h"
#include "report/ListFormat.h"
#include "report/ThresholdText.h"

namespace {

QString Key(const char* key) {
    return QString::fromLatin1(key);
}

QString FolderKey(const char* dialog) {
    return QStringLiteral("folders/") + QString::fromLatin1(dialog);
}

}  // namespace

SettingsStore::SettingsStore() = default;

void SettingsStore::UseFolder(const QString& folder) {
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

QVariant SettingsStore::Value(const char* key, const QVariant& fallback) const {
    return m_settings.value(Key(key), fallback);
}

void SettingsStore::SetValue(const char* key, const QVariant& value) {
    m_settings.setValue(Key(key), value);
}

void SettingsStore::Clear() {
    m_settings.clear();
    m_settings.sync();
}

int SettingsStore::Choice(const char* key, int count, int fallback) const {
    bool ok = false;
    const int value = Value(key).toInt(&ok);
    return ok && value >= 0 && value < count ? value : fallback;
}

double SettingsStore::Threshold(const char* key, double fallback) const {
    const std::optional<double> value = ReadThresholdText(ToStdString(Value(key).toString()));
    return value.value_or(fallback);
}

void SettingsStore::SetThreshold(const char* key, double value) {
    SetValue(key, ToQString(FormatThreshold(value)));
}

QStringList SettingsStore::RecentFiles() const {
    QStringList files = Value(kRecentFiles).toStringList();
    files.removeAll(QString());
    return files.mid(0, kRecentFileCount);
}

void SettingsStore::AddRecentFile(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList files = RecentFiles();
    files.removeAll(full);
    files.prepend(full);
    SetValue(kRecentFiles, files.mid(0, kRecentFileCount));
}

QString SettingsStore::LastFolder(const char* dialog) const {
    return m_settings.value(FolderKey(dialog)).toString();
}

void SettingsStore::SetLastFolder(const char* dialog, const QString& chosenFile) {
    m_settings.setValue(FolderKey(dialog), QFileInfo(chosenFile).absolutePath());
}

DisplayOptions SettingsStore::Display() const {
    return {static_cast<UnitSystem>(Choice(kUnits, 2, 0)),
            static_cast<TimeReference>(Choice(kTime, 2, 0))};
}

void SettingsStore::SetDisplay(const DisplayOptions& options) {
    SetValue(kUnits, static_cast<int>(options.units));
    SetValue(kTime, static_cast<int>(options.time));
}
