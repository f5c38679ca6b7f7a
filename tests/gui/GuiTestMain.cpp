#include <QApplication>
#include <QTemporaryDir>

#include "app/CAnalyzerApp.h"
#include "ui/SettingsStore.h"

int RunAnalyzerDlgTest(int argc, char** argv);
int RunCommandsTest(int argc, char** argv);
int RunDesktopTest(int argc, char** argv);
int RunDialogLayoutTest(int argc, char** argv);
int RunLocaleDateTest(int argc, char** argv);
int RunProfilePlotTest(int argc, char** argv);
int RunProfileWndTest(int argc, char** argv);
int RunTerrainWndTest(int argc, char** argv);

// One program for every window test class: they share the application object.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    CAnalyzerApp::NameApplication();
    const QTemporaryDir settings;
    SettingsStore::UseFolder(settings.path());
    qunsetenv("PELORIN_DEM");  // the tests choose their terrain folders themselves
    int failures = 0;
    for (auto* run :
         {RunAnalyzerDlgTest, RunCommandsTest, RunDesktopTest, RunDialogLayoutTest,
          RunLocaleDateTest, RunProfilePlotTest, RunProfileWndTest, RunTerrainWndTest}) {
        failures += run(argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
