// Makes the README's picture of the profile window: the track loaded, a range chosen with
// Shift+drag and the readout at a point; the second plot shows the speed or, named as the
// settings keep it, a channel. Usage: pelorin_profile_screenshot TRACK OUTPUT.png [SERIES]
// with SERIES speed, heart_rate, cadence, power or temperature.
#include <cstdio>

#include <QComboBox>
#include <QMouseEvent>
#include <QTest>

#include "gui/ScreenshotSupport.h"

int main(int argc, char* argv[]) {
    ScreenshotSetup setup(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: pelorin_profile_screenshot TRACK OUTPUT.png [SERIES]\n");
        return 2;
    }
    CAnalyzerDlg* dialog = setup.LoadIntoWindow(argv[1]);
    if (dialog == nullptr) {
        return 1;
    }
    dialog->OnShowProfile();
    CProfileWnd& profile = *dialog->m_profileWnd;
    if (argc == 4) {
        QComboBox& chooser = profile.m_channelArea.m_chooser;
        const int index = chooser.findData(QString::fromLocal8Bit(argv[3]));
        if (index < 0) {
            std::fprintf(stderr, "the track has no %s\n", argv[3]);
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
    return ScreenshotSetup::Save(profile, argv[2]) ? 0 : 1;
}
