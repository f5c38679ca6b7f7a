#pragma once

// What the programs that make the README's pictures share: the application with settings of
// its own, and the window with a track loaded through the Open dialog as a user loads it.

#include <cstdio>
#include <memory>

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "app/CAnalyzerApp.h"
#include "app/CAnalyzerDlg.h"
#include "app/QtPlatform.h"
#include "ui/SettingsStore.h"

class ScreenshotSetup {
public:
    ScreenshotSetup(int& argc, char** argv) : m_application(argc, argv) {
        CAnalyzerApp::NameApplication();
        SettingsStore::UseFolder(m_settings.path());
        // Neither the user's tile sources nor the tile cache: the pictures never show tiles
        // that were not asked for.
        qputenv("XDG_CONFIG_HOME", m_settings.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_CACHE_HOME", m_settings.filePath(QStringLiteral("cache")).toLocal8Bit());
        InstallDesktopServices();
    }

    /// The window at the given size (none: its start size) with the track loaded; null, with
    /// a message, when no recompute followed.
    CAnalyzerDlg* LoadIntoWindow(const char* track, QSize size = {}) {
        const QString path = QString::fromLocal8Bit(track);
        PlatformHooks hooks;
        hooks.chooseTrackFile = [path](QWidget*) {
            return path;
        };
        SetPlatformHooks(hooks);
        m_dialog = std::make_unique<CAnalyzerDlg>();
        m_dialog->Create();
        if (size.isValid()) {
            m_dialog->resize(size);
        }
        m_dialog->show();
        QSignalSpy recomputed(m_dialog.get(), &CAnalyzerDlg::TrackRecomputed);
        m_dialog->OnLoadTrack();
        if (!recomputed.wait(5000)) {
            std::fprintf(stderr, "no recompute after loading %s\n", track);
            return nullptr;
        }
        QApplication::processEvents();
        return m_dialog.get();
    }

    /// Writes the widget's picture; false, with a message, when it cannot.
    static bool Save(QWidget& widget, const char* path) {
        if (widget.grab().save(QString::fromLocal8Bit(path))) {
            return true;
        }
        std::fprintf(stderr, "cannot write %s\n", path);
        return false;
    }

private:
    QApplication m_application;
    QTemporaryDir m_settings;
    std::unique_ptr<CAnalyzerDlg> m_dialog;
};
