#pragma once

#include <QString>
#include <QStringList>

/// The program: remembers where its executable lies and runs the main window, which opens the
/// files named on the command line.
class CAnalyzerApp {
public:
    /// Runs the main window modally; false: the program ends when it closes.
    bool InitInstance();

    /// The program's name, which also places its settings, and its version.
    static void NameApplication();
    /// Answers --help and --version on the terminal and ends the program; needs only a core
    /// application, so that no window system is needed for them.
    static void AnswerHelpAndVersion(const QStringList& arguments);
    /// The files of the command line; a mistake is told on the terminal and ends the program.
    static QStringList ReadCommandLine(const QStringList& arguments);

    /// The directory of an executable's path, without a trailing separator.
    static QString DirectoryOf(const QString& executablePath);
    /// The help page: beside the executable in a build, or in share/pelorin next to the bin
    /// directory of an installed program. The first when neither exists.
    static QString HelpPagePath(const QString& programDir);

    QString m_programDir;  // directory of the running executable, for the help page
};

extern CAnalyzerApp theApp;
