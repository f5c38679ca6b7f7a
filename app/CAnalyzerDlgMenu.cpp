#include <QContextMenuEvent>
#include <QMenu>

#include "app/CAboutDlg.h"
#include "app/CAnalyzerDlg.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

// The about entry: at the end of the system menu where a program may extend that menu
// (Windows), elsewhere in the context menu of the window's free area, after the entries that
// take the results out.

void CAnalyzerDlg::AddAboutEntry() {
#ifdef Q_OS_WIN
    const auto window = reinterpret_cast<HWND>(winId());
    if (HMENU menu = GetSystemMenu(window, FALSE)) {
        const QString text = QString::fromLatin1(kAboutMenuEntry);
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, reinterpret_cast<LPCWSTR>(text.utf16()));
    }
#endif
}

void CAnalyzerDlg::OnSysCommand(int command) {
    if ((command & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about(this);
        about.DoModal();
    }
}

void CAnalyzerDlg::contextMenuEvent(QContextMenuEvent* event) {
    if (childAt(event->pos()) != nullptr) {
        event->ignore();
        return;
    }
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("IDS_ABOUTBOX"));
    QAction* statistics = menu.addAction(QString::fromLatin1(kExportStatisticsCaption));
    QAction* points = menu.addAction(QString::fromLatin1(kExportPointsCaption));
    QAction* profile = menu.addAction(QString::fromLatin1(kSaveProfileCaption));
    QAction* about = nullptr;
#ifndef Q_OS_WIN
    menu.addSeparator();
    about = menu.addAction(QString::fromLatin1(kAboutMenuEntry));
#endif
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == nullptr) {
        return;
    }
    if (chosen == statistics) {
        OnExportStatistics();
    } else if (chosen == points) {
        OnExportPoints();
    } else if (chosen == profile) {
        OnSaveProfile();
    } else if (chosen == about) {
        OnSysCommand(IDM_ABOUTBOX);
    }
}

#ifdef Q_OS_WIN
bool CAnalyzerDlg::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    const auto* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == IDM_ABOUTBOX) {
        OnSysCommand(static_cast<int>(msg->wParam));
        *result = 0;
        return true;
    }
    return CTemplateDialog::nativeEvent(eventType, message, result);
}
#endif
