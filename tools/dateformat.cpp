#include "tools/dateformat.h"

#include <cctype>
#include <ctime>

namespace tv {

namespace {

std::string two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

bool startsWithCI(const std::string& s, std::size_t at, const char* word) {
    for (std::size_t k = 0; word[k]; ++k) {
        if (at + k >= s.size()) return false;
        if (std::tolower(static_cast<unsigned char>(s[at + k])) != word[k]) return false;
    }
    return true;
}

// Runs of one letter, as many as stand together.
std::size_t runOf(const std::string& s, std::size_t at) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(s[at])));
    std::size_t n = 0;
    while (at + n < s.size() && std::tolower(static_cast<unsigned char>(s[at + n])) == c) ++n;
    return n;
}

bool hasAmPm(const std::string& p) {
    std::string l;
    bool quoted = false;
    char quote = 0;
    for (char c : p) {
        if (quoted) {
            if (c == quote) quoted = false;
            continue;
        }
        if (c == '"' || c == '\'') {
            quoted = true;
            quote = c;
            continue;
        }
        l += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return l.find("am/pm") != std::string::npos || l.find("a/p") != std::string::npos ||
           l.find("ampm") != std::string::npos;
}

std::string format(const std::string& p, const DateTime& t, const DateLocale& loc, int depth);

} // namespace

std::string FormatDateTime(const std::string& pattern, const DateTime& when, const DateLocale& locale) {
    return format(pattern, when, locale, 0);
}

namespace {

std::string format(const std::string& p, const DateTime& t, const DateLocale& loc, int depth) {
    if (depth > 2) return {};
    std::string out;
    const bool twelve = hasAmPm(p);
    bool afterHour = false;
    std::size_t i = 0;
    while (i < p.size()) {
        const char c = p[i];
        const char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (c == '"' || c == '\'') {
            const std::size_t end = p.find(c, i + 1);
            out += p.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
            i = end == std::string::npos ? p.size() : end + 1;
            continue;
        }
        if (startsWithCI(p, i, "am/pm")) {
            out += t.hour < 12 ? p.substr(i, 2) : p.substr(i + 3, 2);
            i += 5;
            continue;
        }
        if (startsWithCI(p, i, "a/p")) {
            out += t.hour < 12 ? p.substr(i, 1) : p.substr(i + 2, 1);
            i += 3;
            continue;
        }
        if (startsWithCI(p, i, "ampm")) {
            out += t.hour < 12 ? loc.am : loc.pm;
            i += 4;
            continue;
        }
        const std::size_t n = (l == 'd' || l == 'm' || l == 'y' || l == 'h' || l == 'n' || l == 's' || l == 't' || l == 'c')
                                  ? runOf(p, i)
                                  : 1;
        switch (l) {
        case 'c': {
            out += format(loc.shortDate, t, loc, depth + 1);
            if (t.hour || t.minute || t.second) out += " " + format(loc.longTime, t, loc, depth + 1);
            i += 1;
            afterHour = false;
            continue;
        }
        case 'd':
            if (n == 1) out += std::to_string(t.day);
            else if (n == 2) out += two(t.day);
            else if (n == 3) out += loc.shortDays[static_cast<std::size_t>(t.weekday)];
            else if (n == 4) out += loc.longDays[static_cast<std::size_t>(t.weekday)];
            else if (n == 5) out += format(loc.shortDate, t, loc, depth + 1);
            else out += format(loc.longDate, t, loc, depth + 1);
            i += std::min<std::size_t>(n, 6);
            afterHour = false;
            continue;
        case 'm':
            if (afterHour && n <= 2) {
                out += n == 1 ? std::to_string(t.minute) : two(t.minute);
            } else if (n == 1) {
                out += std::to_string(t.month);
            } else if (n == 2) {
                out += two(t.month);
            } else if (n == 3) {
                out += loc.shortMonths[static_cast<std::size_t>(t.month - 1)];
            } else {
                out += loc.longMonths[static_cast<std::size_t>(t.month - 1)];
            }
            i += std::min<std::size_t>(n, 4);
            afterHour = false;
            continue;
        case 'y':
            out += n <= 2 ? two(t.year % 100) : std::to_string(t.year);
            i += n <= 2 ? n : std::min<std::size_t>(n, 4);
            afterHour = false;
            continue;
        case 'h': {
            int h = t.hour;
            if (twelve) {
                h %= 12;
                if (h == 0) h = 12;
            }
            out += n == 1 ? std::to_string(h) : two(h);
            i += std::min<std::size_t>(n, 2);
            afterHour = true;
            continue;
        }
        case 'n':
            out += n == 1 ? std::to_string(t.minute) : two(t.minute);
            i += std::min<std::size_t>(n, 2);
            afterHour = false;
            continue;
        case 's':
            out += n == 1 ? std::to_string(t.second) : two(t.second);
            i += std::min<std::size_t>(n, 2);
            afterHour = false;
            continue;
        case 't':
            out += format(n == 1 ? loc.shortTime : loc.longTime, t, loc, depth + 1);
            i += std::min<std::size_t>(n, 2);
            afterHour = false;
            continue;
        case '/':
            out += loc.dateSeparator;
            ++i;
            continue;
        case ':':
            out += loc.timeSeparator;
            ++i;
            continue;
        default:
            out += c;
            ++i;
            if (c != ' ') afterHour = afterHour && (c == ':' || c == '.');
            continue;
        }
    }
    return out;
}

} // namespace

DateTime nowLocal() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &now);
#else
    localtime_r(&now, &tm);
#endif
    DateTime t;
    t.year = tm.tm_year + 1900;
    t.month = tm.tm_mon + 1;
    t.day = tm.tm_mday;
    t.hour = tm.tm_hour;
    t.minute = tm.tm_min;
    t.second = tm.tm_sec;
    t.weekday = tm.tm_wday;
    return t;
}

std::string datePattern(int index, const std::string& custom) {
    static const char* const kPatterns[5] = {"mmmm d, yyyy", "dddd, mmmm d, yyyy", "dd-mmm-yy", "m/d/yy",
                                             "mm/dd/yyyy"};
    return index >= 0 && index < 5 ? kPatterns[index] : custom;
}

std::string patternFromLocaleFormat(std::string_view f) {
    std::string out;
    std::size_t i = 0;
    while (i < f.size()) {
        const char c = f[i];
        if (c == '\'') {
            // 'text' is literal; '' stands for a quote.
            std::size_t end = f.find('\'', i + 1);
            if (end == i + 1) {
                out += "'";
                i += 2;
                continue;
            }
            if (end == std::string_view::npos) end = f.size();
            out += "\"" + std::string(f.substr(i + 1, end - i - 1)) + "\"";
            i = end + 1;
            continue;
        }
        std::size_t n = 1;
        while (i + n < f.size() && f[i + n] == c) ++n;
        switch (c) {
        case 'd': out += std::string(std::min<std::size_t>(n, 4), 'd'); break;
        case 'M': case 'L': out += std::string(std::min<std::size_t>(n, 4), 'm'); break;
        case 'y': out += n <= 2 ? "yy" : "yyyy"; break;
        case 'h': case 'H': case 'k': case 'K': out += n >= 2 ? "hh" : "h"; break;
        case 'm': out += n >= 2 ? "nn" : "n"; break;
        case 's': out += n >= 2 ? "ss" : "s"; break;
        case 'A': case 'a':
            out += "AMPM";
            if (i + 1 < f.size() && (f[i + 1] == 'P' || f[i + 1] == 'p')) ++i;
            break;
        default:
            // Other fields (time zones, fractions of seconds) are left out
            // with the blanks and separators that lead up to them; anything
            // else is copied.
            if (!std::isalpha(static_cast<unsigned char>(c))) {
                if (!(out.empty() && c == ' ')) out.append(n, c);
            } else {
                while (!out.empty() && out.back() != '"' && !std::isalnum(static_cast<unsigned char>(out.back())))
                    out.pop_back();
            }
            break;
        }
        i += n;
    }
    // A literal letter of this language must not be read as a field.
    return out;
}

std::string separatorOf(std::string_view f, const std::string& fallback) {
    bool inField = false;
    for (char c : f) {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            inField = true;
        } else if (inField && c != ' ' && c != '\'' && c != ',') {
            return std::string(1, c);
        }
    }
    return fallback;
}

} // namespace tv
