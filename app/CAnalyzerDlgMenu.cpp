#include <QActionGroup>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>

#include "app/CAboutDlg.h"
#include "app/CAnalyzerDlg.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "ui/SettingsStore.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

// The window's commands in one context menu, the same over the lists, the plot and the free
// area, with their shortcuts. The about entry: at the end of the system menu where a program
// may extend that menu (Windows), elsewhere at the end of the context menu.

void CAnalyzerDlg::CreateActions() {
    const auto command = [this](const char* text, QKeySequence keys,
                                void (CAnalyzerDlg::*handler)()) {
        auto* action = new QAction(QString::fromLatin1(text), this);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        addAction(action);  // the shortcut works anywhere in the window
        return action;
    };
    m_actions.load =
        command(kLoadTrackEntry, QKeySequence(Qt::CTRL | Qt::Key_O), &CAnalyzerDlg::OnLoadTrack);
    m_actions.appendFiles =
        command(kAppendFilesEntry, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
                &CAnalyzerDlg::OnAppendFiles);
    m_actions.showProfile = command(kShowProfileMenuEntry, QKeySequence(Qt::CTRL | Qt::Key_P),
                                    &CAnalyzerDlg::OnShowProfile);
    m_actions.exportStatistics =
        command(kExportStatisticsCaption, QKeySequence(Qt::CTRL | Qt::Key_E),
                &CAnalyzerDlg::OnExportStatistics);
    m_actions.exportPoints =
        command(kExportPointsCaption, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
                &CAnalyzerDlg::OnExportPoints);
    m_actions.saveProfile = command(kSaveProfileCaption, QKeySequence(Qt::CTRL | Qt::Key_S),
                                    &CAnalyzerDlg::OnSaveProfile);
    m_actions.help = command(kHelpEntry, QKeySequence(Qt::Key_F1), &CAnalyzerDlg::OnHelpButton);
    m_actions.quit = command(kQuitEntry, QKeySequence(Qt::CTRL | Qt::Key_Q), &CAnalyzerDlg::OnQuit);
    const auto choice = [this](const char* text, QActionGroup* group) {
        auto* action = new QAction(QString::fromLatin1(text), group);
        action->setCheckable(true);
        return action;
    };
    auto* units = new QActionGroup(this);
    m_actions.units[0] = choice(kMetricEntry, units);
    m_actions.units[1] = choice(kImperialEntry, units);
    auto* times = new QActionGroup(this);
    m_actions.times[0] = choice(kGmtEntry, times);
    m_actions.times[1] = choice(kLocalTimeEntry, times);
    for (int i = 0; i < 2; ++i) {
        connect(m_actions.units[i], &QAction::triggered, this, [this, i] {
            SetDisplay({static_cast<UnitSystem>(i), m_display.time});
        });
        connect(m_actions.times[i], &QAction::triggered, this, [this, i] {
            SetDisplay({m_display.units, static_cast<TimeReference>(i)});
        });
    }
}

void CAnalyzerDlg::FillContextMenu(QMenu& menu, QTableView* list) {
    menu.addAction(m_actions.load);
    menu.addAction(m_actions.appendFiles);
    QMenu* recent = menu.addMenu(QString::fromLatin1(kOpenRecentEntry));
    for (const QString& path : SettingsStore().RecentFiles()) {
        QAction* entry = recent->addAction(QDir::toNativeSeparators(path));
        entry->setEnabled(QFileInfo::exists(path));  // a file gone since shows greyed
        connect(entry, &QAction::triggered, this, [this, path] { OnOpenRecent(path); });
    }
    recent->setEnabled(!recent->isEmpty());
    menu.addSeparator();
    if (list != nullptr) {
        QAction* copy = menu.addAction(QString::fromLatin1(kCopyEntry));
        copy->setShortcut(QKeySequence::Copy);  // shown; the list itself answers the keys
        connect(copy, &QAction::triggered, this, [this, list] { OnCopyRows(*list); });
        menu.addSeparator();
    }
    menu.addAction(m_actions.showProfile);
    menu.addAction(m_actions.exportStatistics);
    menu.addAction(m_actions.exportPoints);
    menu.addAction(m_actions.saveProfile);
    menu.addSeparator();
    QMenu* units = menu.addMenu(QString::fromLatin1(kUnitsEntry));
    QMenu* times = menu.addMenu(QString::fromLatin1(kTimeZoneEntry));
    for (int i = 0; i < 2; ++i) {
        m_actions.units[i]->setChecked(static_cast<int>(m_display.units) == i);
        m_actions.times[i]->setChecked(static_cast<int>(m_display.time) == i);
        units->addAction(m_actions.units[i]);
        times->addAction(m_actions.times[i]);
    }
    FillElevationMenu(menu);
    menu.addSeparator();
    menu.addAction(m_actions.help);
#ifndef Q_OS_WIN
    connect(menu.addAction(QString::fromLatin1(kAboutMenuEntry)), &QAction::triggered, this,
            [this] { OnSysCommand(IDM_ABOUTBOX); });
#endif
    menu.addSeparator();
    menu.addAction(m_actions.quit);
}

void CAnalyzerDlg::ShowContextMenu(const QPoint& globalPos, QTableView* list) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("IDS_ABOUTBOX"));
    FillContextMenu(menu, list);
    menu.exec(globalPos);
}

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
        connect(m_profileWnd.get(), &CProfileWnd::ElevationChosen, this,
                [this](ElevationSource source) { SetElevationSource(source); });
    }
    m_profileWnd->SetTerrainAvailable(m_terrain != nullptr);
    m_profileWnd->Follow(m_plot, m_analysis, m_display);
    m_profileWnd->show();
    m_profileWnd->raise();
    m_profileWnd->activateWindow();
}

// The free area and the texts: the lists and the plot pass theirs through the event filter;
// the buttons, edits and combo boxes have their own or none.
void CAnalyzerDlg::contextMenuEvent(QContextMenuEvent* event) {
    QWidget* child = childAt(event->pos());
    if (child != nullptr && qobject_cast<QLabel*>(child) == nullptr) {
        event->ignore();
        return;
    }
    ShowContextMenu(event->globalPos(), nullptr);
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
