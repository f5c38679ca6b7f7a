#include "app/QtPlatform.h"

#include <cstdlib>
#include <utility>

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include "app/LocaleDate.h"
#include "report/ListFormat.h"
#include "res/Strings.h"

namespace {

PlatformHooks& Hooks() {
    static PlatformHooks hooks;
    return hooks;
}

QString RunOpenDialog(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Any name may be typed: one that cannot be opened is reported by the reader.
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const char* filter : kTrackFileFilters) {
        filters << QString::fromLatin1(filter);
    }
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromLatin1(kTrackFileSuffix));
    dialog.selectFile(QString::fromLatin1(kTrackFileInitialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QString RunSaveDialog(QWidget* parent, const QString& caption, const QStringList& filters) {
    QFileDialog dialog(parent, caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    // The suffix of the chosen filter goes on a name typed without one.
    const auto suffixOf = [](const QString& filter) {
        const qsizetype dot = filter.indexOf(QLatin1String("*."));
        return dot < 0 ? QString() : filter.mid(dot + 2).chopped(1);
    };
    dialog.setDefaultSuffix(suffixOf(filters.value(0)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace

PlatformHooks SetPlatformHooks(PlatformHooks hooks) {
    return std::exchange(Hooks(), std::move(hooks));
}

QString ChooseTrackFile(QWidget* parent) {
    return Hooks().chooseTrackFile ? Hooks().chooseTrackFile(parent) : RunOpenDialog(parent);
}

QString ChooseSaveFile(QWidget* parent, const QString& caption, const QStringList& filters) {
    return Hooks().chooseSaveFile ? Hooks().chooseSaveFile(parent, caption, filters)
                                  : RunSaveDialog(parent, caption, filters);
}

bool OpenDocument(const QString& path) {
    if (Hooks().openDocument) {
        return Hooks().openDocument(path);
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void ExitProcess(int status) {
    if (Hooks().exitProcess) {
        Hooks().exitProcess(status);
        return;
    }
    std::exit(status);
}

QIcon LoadProgramIcon() {
    return QIcon(QStringLiteral(":/pelorin.png"));
}

QString ApplicationTitle() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void ShowWarningBox(const QString& text) {
    if (Hooks().showWarning) {
        Hooks().showWarning(text);
        return;
    }
    QWidget* parent = QApplication::activeModalWidget();
    if (parent == nullptr) {
        parent = QApplication::activeWindow();
    }
    QMessageBox box(QMessageBox::Warning, ApplicationTitle(), text, QMessageBox::Ok, parent);
    // The box may come up in the middle of long work: it shows the ordinary pointer.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    box.exec();
    if (busy) {
        QApplication::restoreOverrideCursor();
    }
}

BusyCursor::BusyCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor() {
    QApplication::restoreOverrideCursor();
}

void InstallDesktopServices() {
    SetDateFormatter([](double days) { return FormatLocaleDate(days); });
}
