#pragma once

#include <functional>

#include <QIcon>
#include <QString>
#include <QStringList>

class QWidget;

/// The desktop services that the window calls. Each can be replaced, so that tests drive the
/// window without a person: an empty member keeps the real service.
struct PlatformHooks {
    std::function<QString(QWidget* parent)> chooseTrackFile;  // full path, empty when cancelled
    /// Several files to append; when only chooseTrackFile is replaced, it answers with one.
    std::function<QStringList(QWidget* parent)> chooseTrackFiles;
    std::function<QString(QWidget* parent, const QString& caption, const QStringList& filters)>
        chooseSaveFile;  // full path, empty when cancelled
    /// A folder, from the one shown first; empty when cancelled.
    std::function<QString(QWidget* parent, const QString& caption, const QString& start)>
        chooseFolder;
    std::function<bool(const QString& path)> openDocument;
    std::function<void(int status)> exitProcess;
    std::function<void(const QString& text)> showWarning;  // a warning box
};

/// Installs the hooks; returns the previous ones.
PlatformHooks SetPlatformHooks(PlatformHooks hooks);

/// The Open dialog for a track file: full path of the chosen file, empty when cancelled.
QString ChooseTrackFile(QWidget* parent);
/// The Open dialog for any number of track files: their full paths, none when cancelled.
QStringList ChooseTrackFiles(QWidget* parent);
/// The Save dialog for an exported file, remembered as dialog; the first filter's suffix is
/// added to a name typed without one. Full path of the chosen file, empty when cancelled.
QString ChooseSaveFile(QWidget* parent, const char* dialog, const QString& caption,
                       const QStringList& filters);
/// The dialog for a folder, starting at start: its full path, empty when cancelled.
QString ChooseFolder(QWidget* parent, const QString& caption, const QString& start);
/// Opens a document with the user's associated program; false when no program took it.
bool OpenDocument(const QString& path);
/// Ends the process through the normal exit path, as returning from main would not: the
/// window's modal loop is still running.
void ExitProcess(int status);

/// The program's icon (resource IDR_MAINFRAME); null when the program carries no icon.
QIcon LoadProgramIcon();

/// Caption of message boxes: the executable's file name without its extension.
QString ApplicationTitle();
/// A modal warning box with an OK button over the active window.
void ShowWarningBox(const QString& text);
/// Shows the busy pointer while it lives.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

/// Shows the core's dates in the locale's format.
void InstallDesktopServices();
