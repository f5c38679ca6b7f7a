#pragma once

#include <QString>

/// The program: remembers where its executable lies and runs the main window.
class CAnalyzerApp {
public:
    /// Runs the main window modally; false: the program ends when it closes.
    bool InitInstance();

    /// The directory of an executable's path, without a trailing separator.
    static QString DirectoryOf(const QString& executablePath);

    QString m_programDir;  // directory of the running executable, for the help page
};

extern CAnalyzerApp theApp;
