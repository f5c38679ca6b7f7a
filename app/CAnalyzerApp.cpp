#include "app/CAnalyzerApp.h"

#include <algorithm>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include "app/CAnalyzerDlg.h"
#include "app/QtPlatform.h"
#include "res/Strings.h"

CAnalyzerApp theApp;

namespace {

/// The options and arguments of the window program.
void DescribeCommandLine(QCommandLineParser& parser) {
    parser.setApplicationDescription(QString::fromLatin1(kCommandLineDescription));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QString::fromLatin1(kCommandLineFilesHelp),
                                 QStringLiteral("[FILE...]"));
}

}  // namespace

bool CAnalyzerApp::InitInstance() {
    NameApplication();
    m_programDir = DirectoryOf(QCoreApplication::applicationFilePath());
    const QStringList files = ReadCommandLine(QCoreApplication::arguments());
    InstallDesktopServices();
    CAnalyzerDlg dialog;
    dialog.m_startFiles = files;
    dialog.DoModal();
    return false;
}

void CAnalyzerApp::NameApplication() {
    // Also where the settings are kept: ~/.config/Pelorin/Pelorin.conf, or the registry.
    QCoreApplication::setOrganizationName(QString::fromLatin1(kProgramName));
    QCoreApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QCoreApplication::setApplicationVersion(QStringLiteral(PELORIN_VERSION));
}

void CAnalyzerApp::AnswerHelpAndVersion(const QStringList& arguments) {
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    // The window system's own options are still among the arguments: no mistake is told yet.
    parser.parse(arguments);
    if (parser.isSet(QStringLiteral("help"))) {
        parser.showHelp(0);
    }
    if (parser.isSet(QStringLiteral("version"))) {
        parser.showVersion();
    }
}

QStringList CAnalyzerApp::ReadCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    parser.process(arguments);
    return parser.positionalArguments();
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
