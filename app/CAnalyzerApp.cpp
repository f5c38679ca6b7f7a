#include "app/CAnalyzerApp.h"

#include <algorithm>

#include <QCoreApplication>

#include "app/CAnalyzerDlg.h"
#include "app/QtPlatform.h"

CAnalyzerApp theApp;

bool CAnalyzerApp::InitInstance() {
    m_programDir = DirectoryOf(QCoreApplication::applicationFilePath());
    InstallDesktopServices();
    CAnalyzerDlg dialog;
    dialog.DoModal();
    return false;
}

QString CAnalyzerApp::DirectoryOf(const QString& executablePath) {
    const qsizetype cut = std::max(executablePath.lastIndexOf(QLatin1Char('/')),
                                   executablePath.lastIndexOf(QLatin1Char('\\')));
    return cut < 0 ? QString() : executablePath.left(cut);
}
