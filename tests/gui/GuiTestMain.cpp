#include <QApplication>
#include <QTemporaryDir>

#include "app/CAnalyzerApp.h"
#include "ui/SettingsStore.h"

int RunAnalyzerDlgTest(int argc, char** argv);
int RunCommandsTest(int argc, char** argv);
int RunDesktopTest(int argc, char** argv);
int RunDialogLayoutTest(int argc, char** argv);
int RunLocaleDateTest(int argc, char** argv);
int RunProfileMapTest(int argc, char** argv);
int RunProfilePlotTest(int argc, char** argv);
int RunProfileWndTest(int argc, char** argv);
int RunTerrainWndTest(int argc, char** argv);

// One program for every window test class: they share the application object.
int main(int argc, char** argv) {
    // No tile sources, tiles or settings of the user's: the map has only the tests' sources.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", settings.filePath(QStringLiteral("cache")).toLocal8Bit());
    QApplication application(argc, argv);
    CAnalyzerApp::NameApplication();
    SettingsStore::UseFolder(settings.path());
    qunsetenv("PELORIN_DEM");  // the tests choose their terrain folders themselves
    int failures = 0;
    for (auto* run :
         {RunAnalyzerDlgTest, RunCommandsTest, RunDesktopTest, RunDialogLayoutTest,
          RunLocaleDateTest, RunProfileMapTest, RunProfilePlotTest, RunProfileWndTest,
          RunTerrainWndTest}) {
        failures += run(argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
