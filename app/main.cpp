#include <QApplication>

#include "app/CAnalyzerApp.h"

int main(int argc, char* argv[]) {
    CAnalyzerApp::NameApplication();
    {
        const QCoreApplication terminal(argc, argv);
        CAnalyzerApp::AnswerHelpAndVersion(QCoreApplication::arguments());
    }
    QApplication application(argc, argv);
    theApp.InitInstance();
    return 0;
}
