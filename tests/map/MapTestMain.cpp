#include <QGuiApplication>
#include <QStandardPaths>

int RunMapCliTest(int argc, char** argv);
int RunMapRendererTest(int argc, char** argv);
int RunOfflineTileSourceTest(int argc, char** argv);
int RunOnlineTileSourceTest(int argc, char** argv);

// One program for every map test class: they share the application object.
int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // never the user's cache or configuration
    int failures = 0;
    for (auto* run :
         {RunMapCliTest, RunMapRendererTest, RunOfflineTileSourceTest, RunOnlineTileSourceTest}) {
        failures += run(argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
