// Makes the README's pictures of the profile window: the track loaded, a range chosen with
// Shift+drag and the readout at a point; the second plot shows the speed or, named as the
// settings keep it, a channel (SERIES: speed, heart_rate, cadence, power or temperature).
// With --map, on generated map tiles; with --terrain, a tile is made under the track (see
// ScreenshotTerrain.h) and chosen as the terrain folder, so that both heights show.
// Usage: pelorin_profile_screenshot TRACK OUTPUT.png [SERIES] [--map] [--terrain]
#include <cstdio>
#include <string>

#include <QComboBox>
#include <QMouseEvent>
#include <QTest>

#include "gui/ScreenshotSupport.h"
#include "gui/ScreenshotTerrain.h"
#include "support/DrawnTiles.h"

int main(int argc, char* argv[]) {
    ScreenshotSetup setup(argc, argv);
    bool map = false;
    bool terrain = false;
    const char* series = nullptr;
    bool known = argc >= 3;
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        map = map || option == "--map";
        terrain = terrain || option == "--terrain";
        if (option.rfind("--", 0) != 0 && series == nullptr) {
            series = argv[i];
        } else {
            known = known && (option == "--map" || option == "--terrain");
        }
    }
    if (!known) {
        std::fprintf(stderr, "usage: pelorin_profile_screenshot TRACK OUTPUT.png [SERIES] "
                             "[--map] [--terrain]\n");
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
    if (map) {
        profile.m_mapArea.UseSource(std::make_unique<DrawnTiles>(),
                                    QStringLiteral("generated"));
    }
    if (series != nullptr) {
        QComboBox& chooser = profile.m_channelArea.m_chooser;
        const int index = chooser.findData(QString::fromLocal8Bit(series));
        if (index < 0) {
            std::fprintf(stderr, "the track has no %s\n", series);
            return 1;
        }
        chooser.setCurrentIndex(index);
    }
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
    profile.m_channelArea.Settle();
    profile.m_mapArea.FinishTrack();
    return ScreenshotSetup::Save(profile, argv[2]) ? 0 : 1;
}
