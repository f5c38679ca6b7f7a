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
// open the profile window and take the results out.

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

void CAnalyzerDlg::OnShowProfile() {
    if (!m_profileWnd) {
        m_profileWnd = std::make_unique<CProfileWnd>(this);
    }
    m_profileWnd->Follow(m_plot, m_analysis);
    m_profileWnd->show();
    m_profileWnd->raise();
    m_profileWnd->activateWindow();
}

void CAnalyzerDlg::contextMenuEvent(QContextMenuEvent* event) {
    if (childAt(event->pos()) != nullptr) {
        event->ignore();
        return;
    }
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("IDS_ABOUTBOX"));
    const auto addEntry = [this, &menu](const char* text, void (CAnalyzerDlg::*handler)()) {
        connect(menu.addAction(QString::fromLatin1(text)), &QAction::triggered, this,
                [this, handler] { (this->*handler)(); });
    };
    addEntry(kShowProfileMenuEntry, &CAnalyzerDlg::OnShowProfile);
    addEntry(kExportStatisticsCaption, &CAnalyzerDlg::OnExportStatistics);
    addEntry(kExportPointsCaption, &CAnalyzerDlg::OnExportPoints);
    addEntry(kSaveProfileCaption, &CAnalyzerDlg::OnSaveProfile);
#ifndef Q_OS_WIN
    menu.addSeparator();
    connect(menu.addAction(QString::fromLatin1(kAboutMenuEntry)), &QAction::triggered, this,
            [this] { OnSysCommand(IDM_ABOUTBOX); });
#endif
    menu.exec(event->globalPos());
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
