// Makes the README's picture of the profile window: the example track loaded, a range chosen
// with Shift+drag and the readout at a point. Usage: pelorin_profile_screenshot TRACK.plt OUT.png
#include <cstdio>

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "app/CAnalyzerDlg.h"
#include "app/QtPlatform.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: pelorin_profile_screenshot TRACK.plt OUTPUT.png\n");
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
    dialog.OnShowProfile();
    CProfileWnd& profile = *dialog.m_profileWnd;
    QApplication::processEvents();
    QWidget& area = profile.m_profileArea;
    const int y = area.height() / 2;
    const auto at = [&area, y](double share) {
        return QPoint(static_cast<int>(area.width() * share), y);
    };
    QTest::mousePress(&area, Qt::LeftButton, Qt::ShiftModifier, at(0.55));
    QTest::mouseMove(&area, at(0.75));
    QTest::mouseRelease(&area, Qt::LeftButton, Qt::ShiftModifier, at(0.75));
    QMouseEvent move(QEvent::MouseMove, at(0.4), area.mapToGlobal(at(0.4)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&area, &move);
    QApplication::processEvents();
    profile.m_profileArea.Settle();
    profile.m_planArea.Settle();
    if (!profile.grab().save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
