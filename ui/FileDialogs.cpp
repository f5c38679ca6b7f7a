#include "ui/FileDialogs.h"

#include <QDir>
#include <QFileDialog>

#include "res/Strings.h"
#include "ui/SettingsStore.h"

namespace {

constexpr char kOpenDialog[] = "open";
constexpr char kOpenMapDialog[] = "openMap";

/// Starts in the folder the dialog was left in, when it is still there.
void StartInLastFolder(QFileDialog& dialog, const char* key) {
    const QString folder = SettingsStore().LastFolder(key);
    if (!folder.isEmpty() && QDir(folder).exists()) {
        dialog.setDirectory(folder);
    }
}

QStringList Chosen(QFileDialog& dialog, const char* key) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const QStringList files = dialog.selectedFiles();
    SettingsStore().SetLastFolder(key, files.constFirst());
    return files;
}

}  // namespace

QStringList RunOpenDialog(QWidget* parent, bool several) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Any name may be typed for one file: one that cannot be opened is reported by the reader.
    dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    QStringList filters;
    for (const char* filter : kTrackFileFilters) {
        filters << QString::fromLatin1(filter);
    }
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromLatin1(kTrackFileSuffix));
    StartInLastFolder(dialog, kOpenDialog);
    dialog.selectFile(QString::fromLatin1(kTrackFileInitialName));
    return Chosen(dialog, kOpenDialog);
}

QString RunSaveDialog(QWidget* parent, const char* dialog, const QString& caption,
                      const QStringList& filters) {
    QFileDialog save(parent, caption);
    save.setAcceptMode(QFileDialog::AcceptSave);
    save.setNameFilters(filters);
    // The suffix of the chosen filter goes on a name typed without one.
    const auto suffixOf = [](const QString& filter) {
        const qsizetype dot = filter.indexOf(QLatin1String("*."));
        return dot < 0 ? QString() : filter.mid(dot + 2).chopped(1);
    };
    save.setDefaultSuffix(suffixOf(filters.value(0)));
    QObject::connect(&save, &QFileDialog::filterSelected, &save,
                     [&](const QString& filter) { save.setDefaultSuffix(suffixOf(filter)); });
    StartInLastFolder(save, dialog);
    return Chosen(save, dialog).value(0);
}

QString RunOpenMapDialog(QWidget* parent, bool folder) {
    QFileDialog dialog(
        parent, folder ? QStringLiteral("Add Tile Folder") : QStringLiteral("Add Offline Map"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(folder ? QFileDialog::Directory : QFileDialog::ExistingFile);
    if (folder) {
        dialog.setOption(QFileDialog::ShowDirsOnly);
    } else {
        dialog.setNameFilters(
            {QStringLiteral("MBTiles Map (*.mbtiles)"), QStringLiteral("All Files (*)")});
    }
    StartInLastFolder(dialog, kOpenMapDialog);
    return Chosen(dialog, kOpenMapDialog).value(0);
}
