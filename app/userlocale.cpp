#include "app/userlocale.h"

#include "base/doctext.h"

#include <QLocale>

tv::DateLocale userDateLocale() {
    const QLocale locale;
    tv::DateLocale l;
    for (int m = 1; m <= 12; ++m) {
        l.longMonths[static_cast<std::size_t>(m - 1)] = toDocument(locale.monthName(m, QLocale::LongFormat));
        l.shortMonths[static_cast<std::size_t>(m - 1)] = toDocument(locale.monthName(m, QLocale::ShortFormat));
    }
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d;  // Qt counts Monday 1 ... Sunday 7
        l.longDays[static_cast<std::size_t>(d)] = toDocument(locale.dayName(qtDay, QLocale::LongFormat));
        l.shortDays[static_cast<std::size_t>(d)] = toDocument(locale.dayName(qtDay, QLocale::ShortFormat));
    }
    const std::string shortDate = toStd(locale.dateFormat(QLocale::ShortFormat));
    const std::string shortTime = toStd(locale.timeFormat(QLocale::ShortFormat));
    l.shortDate = tv::patternFromLocaleFormat(shortDate);
    l.longDate = tv::patternFromLocaleFormat(toStd(locale.dateFormat(QLocale::LongFormat)));
    l.shortTime = tv::patternFromLocaleFormat(shortTime);
    l.longTime = tv::patternFromLocaleFormat(toStd(locale.timeFormat(QLocale::LongFormat)));
    l.dateSeparator = tv::separatorOf(shortDate, l.dateSeparator);
    l.timeSeparator = tv::separatorOf(shortTime, l.timeSeparator);
    if (!locale.amText().isEmpty()) l.am = toDocument(locale.amText());
    if (!locale.pmText().isEmpty()) l.pm = toDocument(locale.pmText());
    return l;
}
