#pragma once

#include <charconv>
#include <string>
#include <vector>

#include <QAbstractItemModel>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>

#include "app/CAnalyzerDlg.h"
#include "app/QtPlatform.h"
#include "support/TestFiles.h"

/// Track file text built leg by leg along a meridian; numbers are written without the locale.
class PltText {
public:
    explicit PltText(const std::string& name = "Walk") : m_text(Header(name)) {}

    /// Adds count points, each north metres further, climb metres higher and seconds later.
    PltText& Leg(int count, double north, double climb, double seconds) {
        for (int i = 0; i < count; ++i) {
            m_latitude += north / 111317.09968901669;
            m_altitude += climb;
            m_time += seconds / 86400.0;
            AddLine();
        }
        return *this;
    }
    /// The next point starts a new section of the file.
    PltText& Break() {
        m_break = true;
        return *this;
    }
    std::string Text() const { return m_text; }

private:
    static std::string Number(double value) {
        char buffer[64];
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
        return std::string(buffer, end.ptr);
    }
    void AddLine() {
        m_text += Number(m_latitude) + ",8," + (m_break ? "1," : "0,")
                  + Number(m_altitude / 0.3048006096012) + "," + Number(m_time) + "\r\n";
        m_break = false;
    }

    std::string m_text;
    double m_latitude = 46.0;
    double m_altitude = 1000.0;  // metres
    double m_time = 45122.25;    // days: 2023-07-15 06:00
    bool m_break = false;
};

/// The main window with its desktop services replaced: the Open dialog answers from a queue,
/// exits, opened documents and warnings are recorded.
class WindowDriver {
public:
    WindowDriver() {
        PlatformHooks hooks;
        hooks.chooseTrackFile = [this](QWidget*) {
            return files.isEmpty() ? QString() : files.takeFirst();
        };
        hooks.chooseSaveFile = [this](QWidget*, const QString&, const QStringList&) {
            return saveAs.isEmpty() ? QString() : saveAs.takeFirst();
        };
        hooks.openDocument = [this](const QString& path) {
            opened << path;
            return documentsOpen;
        };
        hooks.exitProcess = [this](int status) {
            exits.push_back(status);
        };
        hooks.showWarning = [this](const QString& text) {
            warnings.messages.push_back(text.toStdString());
        };
        m_previous = SetPlatformHooks(hooks);
        dlg.Create();
        dlg.show();
    }
    ~WindowDriver() { SetPlatformHooks(m_previous); }
    WindowDriver(const WindowDriver&) = delete;
    WindowDriver& operator=(const WindowDriver&) = delete;

    template <typename T>
    T* Find(const char* name) {
        return dlg.findChild<T*>(QString::fromLatin1(name));
    }
    /// Loads a file through the Load button and waits for the recompute that follows.
    bool Load(const std::string& path) {
        QSignalSpy recomputed(&dlg, &CAnalyzerDlg::TrackRecomputed);
        files << QString::fromStdString(path);
        dlg.OnLoadTrack();
        return recomputed.wait(2000);
    }
    /// The text of a cell of a list.
    static QString Cell(const QAbstractItemModel* model, int row, int column) {
        return model->data(model->index(row, column)).toString();
    }
    static QStringList Column(const QAbstractItemModel* model, int column) {
        QStringList cells;
        for (int row = 0; row < model->rowCount(); ++row) {
            cells << Cell(model, row, column);
        }
        return cells;
    }

    QStringList files;
    QStringList saveAs;  // answers of the Save dialog
    QStringList opened;
    bool documentsOpen = true;  // whether a program takes the documents opened
    std::vector<int> exits;
    struct {
        std::vector<std::string> messages;
    } warnings;  // the warning boxes shown
    CAnalyzerDlg dlg;

private:
    PlatformHooks m_previous;
};
