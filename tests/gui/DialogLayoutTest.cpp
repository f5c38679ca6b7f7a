// The main window built from its template: size, controls, tab order, styles and start values.
#include <map>

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

#include "app/CAboutDlg.h"
#include "app/DialogBuilder.h"
#include "gui/GuiTestSupport.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

class DialogLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void everyTextFitsItsColumnAndEveryEntryItsList() {
        WindowDriver w;
        QVERIFY(w.Load(PELORIN_EXAMPLES "/alpine_hike.plt"));
        for (QTableView* view : {&w.dlg.m_sectionsList, &w.dlg.m_statsList}) {
            const QFontMetrics cells(view->font());
            const QFontMetrics headings(view->horizontalHeader()->font());
            const int last = view->model()->columnCount() - 1;
            for (int c = 0; c < last; ++c) {  // the names may run on past the list's edge
                const QString heading = view->model()->headerData(c, Qt::Horizontal).toString();
                QVERIFY2(headings.horizontalAdvance(heading) + 8 <= view->columnWidth(c),
                         qPrintable(heading));
                for (int r = 0; r < view->model()->rowCount(); ++r) {
                    const QString text = view->model()->index(r, c).data().toString();
                    QVERIFY2(cells.horizontalAdvance(text) + 4 <= view->columnWidth(c),
                             qPrintable(text));
                }
            }
        }
        QVERIFY(w.dlg.m_statsList.columnWidth(0)
                >= QFontMetrics(w.dlg.m_statsList.font())
                       .horizontalAdvance(QStringLiteral("Moving Average Speed in Descent")));
        for (auto* combo : w.dlg.findChildren<QComboBox*>()) {
            for (int i = 0; i < combo->count(); ++i) {
                QVERIFY2(combo->fontMetrics().horizontalAdvance(combo->itemText(i)) + 4
                             <= combo->view()->minimumWidth(),
                         qPrintable(combo->itemText(i)));
            }
        }
    }

    void dialogUnitsFollowTheFont() {
        QFont font = QApplication::font();
        font.setPixelSize(10);
        const DialogUnits small = DialogUnitsOf(font);
        font.setPixelSize(20);
        const DialogUnits large = DialogUnitsOf(font);
        QVERIFY(large.averageCharWidth > small.averageCharWidth);
        QCOMPARE(large.ToPixels(DialogRect{4, 8, 8, 16}),
                 QRect(large.averageCharWidth, large.charHeight, 2 * large.averageCharWidth,
                       2 * large.charHeight));
    }

    // The window opens at the template's size, no smaller, with the statistics list as wide as
    // its columns need; grown, the lists and the plot take the room while the other controls
    // keep their size and their corner, and no column of either list needs scrolling.
    void windowOpensAtTheTemplateSizeAndGrows() {
        WindowDriver w;
        QVERIFY(w.Load(PELORIN_EXAMPLES "/alpine_hike.plt"));
        const DialogUnits units = DialogUnitsOf(w.dlg.font());
        const QSize start = units.ToPixels(639, 257);
        QCOMPARE(w.dlg.size(), start);
        QCOMPARE(w.dlg.minimumSize(), start);
        QVERIFY(w.dlg.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        const auto geometry = [&w] {
            std::map<QString, QRect> rects;
            for (QWidget* control : w.dlg.findChildren<QWidget*>(QRegularExpression("^ID"))) {
                rects[control->objectName()] = control->geometry();
            }
            return rects;
        };
        const auto noColumnScrolls = [&w] {
            return w.dlg.m_statsList.horizontalScrollBar()->maximum() == 0
                   && w.dlg.m_sectionsList.horizontalScrollBar()->maximum() == 0;
        };
        auto before = geometry();
        const int wider = before["IDC_STATISTICS"].width() - units.ToPixels(195, 0).width();
        QCOMPARE(before["IDC_PLOT"],
                 units.ToPixels(DialogRect{205, 148, 428, 104}).adjusted(wider, 0, 0, 0));
        QCOMPARE(before["IDC_LOAD"], units.ToPixels(DialogRect{543, 17, 89, 14}));
        QVERIFY(noColumnScrolls());
        w.dlg.resize(start + QSize(400, 300));
        auto after = geometry();
        for (const char* name : {"IDC_LOAD", "ID_HELP", "IDCANCEL", "IDC_VERTICAL_THRESHOLD"}) {
            QCOMPARE(after[name], before[name].translated(400, 0));
        }
        QCOMPARE(after["IDC_PLOT_MODE"], before["IDC_PLOT_MODE"].translated(400, 150));
        QCOMPARE(after["IDC_CONNECTION"], before["IDC_CONNECTION"].translated(0, 150));
        QCOMPARE(after["IDC_SECTIONS"].size(), before["IDC_SECTIONS"].size() + QSize(400, 150));
        QCOMPARE(after["IDC_PLOT"].size(), before["IDC_PLOT"].size() + QSize(400, 150));
        QCOMPARE(after["IDC_STATISTICS"].size(), before["IDC_STATISTICS"].size() + QSize(0, 300));
        QVERIFY(noColumnScrolls());
    }

    void controlsAreTheMembersTheWindowUses() {
        WindowDriver w;
        QCOMPARE(w.Find<QTableView>("IDC_SECTIONS"), &w.dlg.m_sectionsList);
        QCOMPARE(w.Find<QTableView>("IDC_STATISTICS"), &w.dlg.m_statsList);
        QCOMPARE(w.Find<QWidget>("IDC_PLOT"), static_cast<QWidget*>(&w.dlg.m_plot));
        QCOMPARE(w.Find<QPushButton>("ID_HELP")->text(), QStringLiteral("Please &Help"));
        QVERIFY(w.Find<QPushButton>("IDC_CLEAR")->isHidden());
        QVERIFY(w.Find<QPushButton>("IDC_APPEND")->isHidden());
        QVERIFY(w.Find<QPushButton>("IDC_LOAD")->isVisible());
        for (QPushButton* button : w.dlg.findChildren<QPushButton*>()) {
            QVERIFY2(!button->isDefault(), qPrintable(button->objectName()));
        }
    }

    void tabOrderIsTemplateOrderAndExitHasTheFocus() {
        WindowDriver w;
        w.dlg.activateWindow();
        QCOMPARE(w.dlg.focusWidget(), w.Find<QWidget>("IDCANCEL"));
        QStringList order;
        QWidget* widget = w.Find<QWidget>("IDCANCEL");
        do {
            if (widget->focusPolicy() != Qt::NoFocus && !widget->isHidden()
                && !widget->objectName().startsWith(QLatin1String("qt_"))
                && widget->parentWidget() == &w.dlg) {
                order << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget != w.Find<QWidget>("IDCANCEL"));
        QCOMPARE(order,
                 (QStringList{"IDCANCEL", "ID_HELP", "IDC_SECTIONS", "IDC_LOAD", "IDC_CONNECTION",
                              "IDC_PLOT", "IDC_PLOT_MODE", "IDC_STATISTICS",
                              "IDC_VERTICAL_THRESHOLD", "IDC_SPEED_THRESHOLD", "IDC_UPDATE"}));
        for (QLabel* label : w.dlg.findChildren<QLabel*>()) {
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        }
    }

    void combosAndEditsStartWithTheDefaults() {
        WindowDriver w;
        auto* connection = w.Find<QComboBox>("IDC_CONNECTION");
        QStringList entries;
        for (int i = 0; i < connection->count(); ++i) {
            entries << connection->itemText(i);
        }
        QCOMPARE(entries, (QStringList{"Sections are not considered connected",
                                       "Try to automatically detect connected sections",
                                       "All sections are connected - this is just one track!",
                                       "Don't select this option!"}));
        QCOMPARE(connection->currentIndex(), 1);
        auto* plotMode = w.Find<QComboBox>("IDC_PLOT_MODE");
        QCOMPARE(plotMode->itemText(0), QStringLiteral("Plot over Distance"));
        QCOMPARE(plotMode->itemText(1), QStringLiteral("Plot over Time"));
        QCOMPARE(plotMode->currentIndex(), 0);
        QCOMPARE(w.Find<QLineEdit>("IDC_VERTICAL_THRESHOLD")->text(), QStringLiteral("15"));
        QCOMPARE(w.Find<QLineEdit>("IDC_SPEED_THRESHOLD")->text(), QStringLiteral("1.8"));
        QCOMPARE(w.dlg.m_plot.m_overDistance, 1);
    }

    void listsAreReportsWithFixedHeadingsAndVisibleSelection() {
        WindowDriver w;
        QTableView& sections = w.dlg.m_sectionsList;
        QCOMPARE(sections.model()->columnCount(), 5);
        QCOMPARE(sections.model()->headerData(2, Qt::Horizontal).toString(),
                 QStringLiteral("Num Points"));
        const DialogUnits units = DialogUnitsOf(w.dlg.font());
        QVERIFY(sections.columnWidth(4) >= units.ScaleWidth(150));  // takes the room left
        QCOMPARE(w.dlg.m_statsList.columnWidth(1), units.ScaleWidth(115));
        QCOMPARE((DialogUnits{6, 13}.ScaleWidth(150)), 150);  // the template's own face
        QCOMPARE((DialogUnits{9, 13}.ScaleWidth(80)), 120);
        for (QTableView* list : {&sections, &w.dlg.m_statsList}) {
            QVERIFY(list->showGrid());
            QVERIFY(!list->horizontalHeader()->sectionsClickable());
            QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
            QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
            QCOMPARE(list->palette().color(QPalette::Inactive, QPalette::Highlight),
                     list->palette().color(QPalette::Active, QPalette::Highlight));
        }
    }

    void aboutBoxShowsNameVersionAndOk() {
        CAboutDlg about;
        about.Create();
        about.show();
        QCOMPARE(about.windowTitle(), QStringLiteral("About Pelorin"));
        QStringList texts;
        for (QLabel* label : about.findChildren<QLabel*>()) {
            texts << label->text();
        }
        QVERIFY(texts.contains(QStringLiteral("Pelorin Version " PELORIN_VERSION_TEXT)));
        auto* ok = about.findChild<QPushButton*>(QStringLiteral("IDOK"));
        QVERIFY(ok->isDefault());
        QTest::keyClick(&about, Qt::Key_Return);
        QCOMPARE(about.result(), int(QDialog::Accepted));
        QVERIFY(!about.isVisible());
    }
};

int RunDialogLayoutTest(int argc, char** argv) {
    DialogLayoutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DialogLayoutTest.moc"
