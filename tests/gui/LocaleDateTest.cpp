// Dates in the user's locale, on the calendar and rounding of the core.
#include <QLocale>
#include <QTest>

#include "app/LocaleDate.h"

class LocaleDateTest : public QObject {
    Q_OBJECT

private slots:
    void dateAndTimeInTheLocaleOrder() {
        const double day = 45122.0 + (6 * 3600 + 42 * 60 + 15) / 86400.0;  // 2023-07-15
        QCOMPARE(FormatLocaleDate(day, QLocale(QLocale::German, QLocale::Germany)),
                 std::string("15.07.2023 06:42:15"));
        QCOMPARE(FormatLocaleDate(day, QLocale(QLocale::English, QLocale::UnitedStates)),
                 std::string("7/15/2023 6:42:15 AM"));
    }

    void dayZeroGivesTheTimeAloneAndMidnightTheDateAlone() {
        const QLocale german(QLocale::German, QLocale::Germany);
        QCOMPARE(FormatLocaleDate(0.75, german), std::string("18:00:00"));
        QCOMPARE(FormatLocaleDate(45122.0, german), std::string("15.07.2023"));
        QCOMPARE(FormatLocaleDate(-1.25, german), std::string("29.12.1899 06:00:00"));
    }

    void outOfRangeKeepsTheCoreText() {
        const QLocale german(QLocale::German, QLocale::Germany);
        QCOMPARE(FormatLocaleDate(1e9, german), std::string("invalid date"));
        QCOMPARE(FormatLocaleDate(std::nan(""), german), std::string("invalid date"));
    }
};

int RunLocaleDateTest(int argc, char** argv) {
    LocaleDateTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "LocaleDateTest.moc"
