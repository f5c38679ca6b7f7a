#include "app/LocaleDate.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include "qt/QtText.h"
#include "report/ListFormat.h"

namespace {

/// The locale's short date with a four-digit year: track dates span centuries.
QString DateFormat(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy"))) {
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    }
    return format;
}

/// The locale's long time without its time zone: track times carry none.
QString TimeFormat(const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        }
        if (quoted || c != QLatin1Char('t')) {
            out += c;
        }
    }
    return out.simplified();
}

}  // namespace

std::string FormatLocaleDate(double days) {
    return FormatLocaleDate(days, QLocale());
}

std::string FormatLocaleDate(double days, const QLocale& locale) {
    // The core settles the calendar, the rounding to seconds and the range; its fixed text
    // "YYYY-MM-DD HH:MM:SS" (either half may be missing) is put here in the locale's order.
    static const QRegularExpression kFixed(
        QStringLiteral("^(?:(\\d+)-(\\d\\d)-(\\d\\d))? ?(?:(\\d\\d):(\\d\\d):(\\d\\d))?$"));
    const std::string fixed = DefaultFormatDate(days);
    const QRegularExpressionMatch match = kFixed.match(ToQString(fixed));
    if (!match.hasMatch() || fixed.empty()) {
        return fixed;
    }
    QStringList parts;
    if (match.hasCaptured(1)) {
        const QDate date(match.captured(1).toInt(), match.captured(2).toInt(),
                         match.captured(3).toInt());
        parts << locale.toString(date, DateFormat(locale));
    }
    if (match.hasCaptured(4)) {
        const QTime time(match.captured(4).toInt(), match.captured(5).toInt(),
                         match.captured(6).toInt());
        parts << locale.toString(time, TimeFormat(locale));
    }
    return ToStdString(parts.join(QLatin1Char(' ')));
}
