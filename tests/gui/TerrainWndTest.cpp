// Terrain heights in the window: the folder chosen in the context menu, the elevation choice in
// the menu and in the profile window, and the readout with both heights.
#include <fstream>

#include <QMenu>
#include <QTemporaryDir>

#include "gui/GuiTestSupport.h"
#include "plot/ProfilePicture.h"
#include "support/TerrainFiles.h"

namespace {

/// The entry of the menu or of one of its submenus with the text.
QAction* Entry(const QMenu& menu, const char* text) {
    for (QAction* action : menu.actions()) {
        QAction* found = action->text() == QString::fromLatin1(text) ? action
                         : action->menu() != nullptr                 ? Entry(*action->menu(), text)
                                                                     : nullptr;
        if (found != nullptr) {
            return found;
        }
    }
    return nullptr;
}

/// The plane's tile in a folder of its own.
struct PlaneTiles {
    PlaneTiles() {
        std::ofstream(dir.filePath("N46E013.hgt").toStdString(), std::ios::binary) << PlaneTile();
    }
    QTemporaryDir dir;
};

}  // namespace

class TerrainWndTest : public QObject {
    Q_OBJECT

private slots:
    void folderAndChoiceGiveTheTerrainFiguresAndBothHeights() {
        const PlaneTiles tiles;
        WindowDriver w;
        PlatformHooks hooks = SetPlatformHooks({});
        hooks.chooseFolder = [&tiles](QWidget*, const QString&, const QString&) {
            return tiles.dir.path();
        };
        SetPlatformHooks(hooks);
        TempFile file(PlaneTrackGpx(), "plane.gpx");
        QVERIFY(w.Load(file.Path()));
        const auto figures = [&w] {
            const QAbstractItemModel* list = w.dlg.m_statsList.model();
            return QStringList{WindowDriver::Cell(list, 10, 1), WindowDriver::Cell(list, 11, 1)};
        };
        QCOMPARE(figures(), QStringList({"500", "520"}));

        QMenu menu;
        w.dlg.FillContextMenu(menu, nullptr);
        QVERIFY(!Entry(menu, "Terrain Elevation")->isEnabled());
        QSignalSpy recomputed(&w.dlg, &CAnalyzerDlg::TrackRecomputed);
        Entry(menu, "Terrain Elevation &Folder...")->trigger();
        QTRY_COMPARE(recomputed.count(), 1);
        QCOMPARE(w.dlg.m_sections[0].elevations.terrain.GetSize(), std::size_t{6});
        QCOMPARE(figures(), QStringList({"500", "520"}));  // still the recorded heights

        w.dlg.OnShowProfile();
        CProfileWnd& profile = *w.dlg.m_profileWnd;
        QVERIFY(profile.m_elevationChoice.isEnabled());
        emit profile.m_elevationChoice.activated(1);
        QTRY_COMPARE(recomputed.count(), 2);
        QCOMPARE(figures(), QStringList({"505", "2600"}));  // two points keep the recorded 505
        QCOMPARE(SettingsStore().Value(SettingsStore::kElevation).toInt(), 1);
        profile.SetCursor(2);
        QVERIFY(profile.m_readout.text().contains("Elevation: 510 m\nTerrain: 2480 m\nSpeed"));
        profile.SetCursor(3);
        QVERIFY(profile.m_readout.text().contains("Elevation: 505 m\nTerrain: -\nSpeed"));
        const std::string svg =
            RenderProfilePictureSvg(profile.View(), profile.Marks(), 400, 300, 100);
        QVERIFY(svg.find("#ff8000") != std::string::npos);
        QVERIFY(svg.find("#5a5a5a") != std::string::npos);

        QMenu again;
        w.dlg.FillContextMenu(again, nullptr);
        QVERIFY(Entry(again, "Terrain Elevation")->isChecked());
        Entry(again, "Terrain Where Missing")->trigger();
        QTRY_COMPARE(recomputed.count(), 3);
        QCOMPARE(profile.m_elevationChoice.currentIndex(), 2);
        QCOMPARE(figures(), QStringList({"500", "2440"}));  // only the point without <ele>

        QVERIFY(w.Load(file.Path()));
        const std::string without = " points have no terrain height and keep the recorded one.";
        QCOMPARE(
            w.warnings.messages,  // on choosing Terrain, Fill, and on reading with Fill
            std::vector<std::string>({file.Path() + ": 2" + without, file.Path() + ": 1" + without,
                                      file.Path() + ": 1" + without}));
        Entry(again, "&No Terrain Elevation")->trigger();
        QTRY_COMPARE(recomputed.count(), 5);
        QVERIFY(w.dlg.m_sections[0].elevations.terrain.IsEmpty());
        QCOMPARE(figures(), QStringList({"500", "520"}));
    }

    void environmentNamesTheFolderUntilOneIsChosenHere() {
        const PlaneTiles tiles;
        qputenv("PELORIN_DEM", tiles.dir.path().toLocal8Bit());
        WindowDriver w;
        TempFile file(PlaneTrackGpx(), "plane.gpx");
        QVERIFY(w.Load(file.Path()));
        QCOMPARE(w.dlg.m_sections[0].elevations.terrain.GetSize(), std::size_t{6});
        w.dlg.SetTerrainFolder({});
        CAnalyzerDlg next;
        next.Create();
        qunsetenv("PELORIN_DEM");
        QVERIFY(!next.m_terrain);
    }
};

int RunTerrainWndTest(int argc, char** argv) {
    TerrainWndTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TerrainWndTest.moc"
