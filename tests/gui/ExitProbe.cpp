// Chooses "Don't select this option!" in a real window and lets the program end by itself.
// Exit status 42 comes from the window; 3 means the program outlived the recompute.
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QTimer>

#include "app/CAnalyzerDlg.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    CAnalyzerDlg dialog;
    dialog.Create();
    QTimer::singleShot(0, &dialog, [&dialog] {
        auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("IDC_CONNECTION"));
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Down);
    });
    QTimer::singleShot(3000, &dialog, &QDialog::reject);
    dialog.DoModal();
    return 3;
}
