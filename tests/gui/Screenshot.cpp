// Makes the README's picture: the window with the example track loaded, grabbed under any
// platform (offscreen needs no display). Usage: pelorin_screenshot TRACK.plt OUTPUT.png
#include <cstdio>

#include <QApplication>
#include <QSignalSpy>

#include "app/CAnalyzerDlg.h"
#include "app/QtPlatform.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: pelorin_screenshot TRACK.plt OUTPUT.png\n");
        return 2;
    }
    InstallDesktopServices();
    const QString track = QString::fromLocal8Bit(argv[1]);
    PlatformHooks hooks;
    hooks.chooseTrackFile = [track](QWidget*) {
        return track;
    };
    SetPlatformHooks(hooks);

    CAnalyzerDlg dialog;
    dialog.Create();
    dialog.show();
    QSignalSpy recomputed(&dialog, &CAnalyzerDlg::TrackRecomputed);
    dialog.OnLoadTrack();
    if (!recomputed.wait(5000)) {
        std::fprintf(stderr, "no recompute after loading %s\n", argv[1]);
        return 1;
    }
    QApplication::processEvents();
    if (!dialog.grab().save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
