#include "app/CAnalyzerApp.h"

#include <algorithm>

#include <QCoreApplication>
#include <QFileInfo>

#include "app/CAnalyzerDlg.h"
#include "app/QtPlatform.h"
#include "res/Strings.h"

CAnalyzerApp theApp;

bool CAnalyzerApp::InitInstance() {
    m_programDir = DirectoryOf(QCoreApplication::applicationFilePath());
    InstallDesktopServices();
    CAnalyzerDlg dialog;
    dialog.m_startFiles = QCoreApplication::arguments().mid(1);
    dialog.DoModal();
    return false;
}

QString CAnalyzerApp::DirectoryOf(const QString& executablePath) {
    const qsizetype cut = std::max(executablePath.lastIndexOf(QLatin1Char('/')),
                                   executablePath.lastIndexOf(QLatin1Char('\\')));
    return cut < 0 ? QString() : executablePath.left(cut);
}

QString CAnalyzerApp::HelpPagePath(const QString& programDir) {
    const QString name = QString::fromLatin1(kHelpFileName);
    const QString beside = programDir + QLatin1Char('/') + name;
    const QString installed = programDir + QStringLiteral("/../share/pelorin/") + name;
    if (!QFileInfo::exists(beside) && QFileInfo::exists(installed)) {
        return QFileInfo(installed).absoluteFilePath();
    }
    return beside;
}
