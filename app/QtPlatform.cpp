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
#include "ui/FileDialogs.h"

namespace {

PlatformHooks& Hooks() {
    static PlatformHooks hooks;
    return hooks;
}

}  // namespace

PlatformHooks SetPlatformHooks(PlatformHooks hooks) {
    return std::exchange(Hooks(), std::move(hooks));
}

QString ChooseTrackFile(QWidget* parent) {
    return Hooks().chooseTrackFile ? Hooks().chooseTrackFile(parent)
                                   : RunOpenDialog(parent, false).value(0);
}

QStringList ChooseTrackFiles(QWidget* parent) {
    if (Hooks().chooseTrackFiles) {
        return Hooks().chooseTrackFiles(parent);
    }
    if (Hooks().chooseTrackFile) {
        const QString path = Hooks().chooseTrackFile(parent);
        return path.isEmpty() ? QStringList() : QStringList{path};
    }
    return RunOpenDialog(parent, true);
}

QString ChooseSaveFile(QWidget* parent, const char* dialog, const QString& caption,
                       const QStringList& filters) {
    return Hooks().chooseSaveFile ? Hooks().chooseSaveFile(parent, caption, filters)
                                  : RunSaveDialog(parent, dialog, caption, filters);
}

QString ChooseFolder(QWidget* parent, const QString& caption, const QString& start) {
    return Hooks().chooseFolder ? Hooks().chooseFolder(parent, caption, start)
                                : QFileDialog::getExistingDirectory(parent, caption, start);
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
