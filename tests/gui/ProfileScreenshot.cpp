// Makes the README's picture of the profile window: the track loaded, a range chosen with
// Shift+drag and the readout at a point. With --terrain, a tile is made under the track (see
// ScreenshotTerrain.h) and chosen as the terrain folder, so that both heights show.
// Usage: pelorin_profile_screenshot TRACK OUTPUT.png [--terrain]
#include <cstdio>
#include <string>

#include <QMouseEvent>
#include <QTest>

#include "gui/ScreenshotSupport.h"
#include "gui/ScreenshotTerrain.h"

int main(int argc, char* argv[]) {
    ScreenshotSetup setup(argc, argv);
    const bool terrain = argc == 4 && std::string(argv[3]) == "--terrain";
    if (argc != 3 && !terrain) {
        std::fprintf(stderr, "usage: pelorin_profile_screenshot TRACK OUTPUT.png [--terrain]\n");
        return 2;
    }
    CAnalyzerDlg* dialog = setup.LoadIntoWindow(argv[1]);
    if (dialog == nullptr) {
        return 1;
    }
    const QTemporaryDir tiles;
    if (terrain) {
        if (!WriteTerrainUnder(argv[1], tiles.path())) {
            std::fprintf(stderr, "cannot make a tile under %s\n", argv[1]);
            return 1;
        }
        dialog->SetTerrainFolder(tiles.path());
    }
    dialog->OnShowProfile();
    CProfileWnd& profile = *dialog->m_profileWnd;
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
    return ScreenshotSetup::Save(profile, argv[2]) ? 0 : 1;
}
