// The date-time format language of the date macros, the date commands and
// the options dialog.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tv {

// The parts of a local date and time.
struct DateTime {
    int year = 2000, month = 1, day = 1;  // month 1-12
    int hour = 0, minute = 0, second = 0;
    int weekday = 6;                      // 0 Sunday ... 6 Saturday
};

// What the user's locale says about dates; English defaults.
struct DateLocale {
    std::array<std::string, 12> shortMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> longMonths{"January", "February", "March",     "April",   "May",      "June",
                                           "July",    "August",   "September", "October", "November", "December"};
    std::array<std::string, 7> shortDays{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> longDays{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    std::string shortDate = "m/d/yyyy";
    std::string longDate = "dddd, mmmm d, yyyy";
    std::string shortTime = "h:nn AMPM";
    std::string longTime = "h:nn:ss AMPM";
    std::string dateSeparator = "/";
    std::string timeSeparator = ":";
    std::string am = "AM", pm = "PM";
};

// Formats `when` by `pattern` (specifiers in any letter case; quoted text
// copied; any other character copied unchanged).
std::string FormatDateTime(const std::string& pattern, const DateTime& when, const DateLocale& locale = {});

// The local date and time now.
DateTime nowLocal();

// A date or time format of the desktop's locale (the letters of Qt and of
// Unicode's date patterns: d, M, y, h, H, m, s, AP, 'quoted') in this
// program's pattern language.
std::string patternFromLocaleFormat(std::string_view format);
// The first character between the fields of a locale format ("/" in
// "M/d/yy", "." in "dd.MM.yyyy"); `fallback` when there is none.
std::string separatorOf(std::string_view format, const std::string& fallback);

// The date patterns that the "DateFormat" option chooses; 5 is the custom
// pattern.
std::string datePattern(int index, const std::string& custom);

} // namespace tv
