// Makes the README's pictures of the window with a track loaded, grabbed under any platform
// (offscreen needs no display): at its start size, or at a given size such as a maximised
// window's. Usage: pelorin_screenshot TRACK OUTPUT.png [WIDTHxHEIGHT]
#include <cstdio>

#include "gui/ScreenshotSupport.h"

int main(int argc, char* argv[]) {
    ScreenshotSetup setup(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: pelorin_screenshot TRACK OUTPUT.png [WIDTHxHEIGHT]\n");
        return 2;
    }
    QSize size;
    if (argc == 4) {
        const QStringList sides = QString::fromLatin1(argv[3]).split(QLatin1Char('x'));
        size = QSize(sides.value(0).toInt(), sides.value(1).toInt());
    }
    CAnalyzerDlg* dialog = setup.LoadIntoWindow(argv[1], size);
    return dialog != nullptr && ScreenshotSetup::Save(*dialog, argv[2]) ? 0 : 1;
}
