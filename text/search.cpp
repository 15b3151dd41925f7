#include "text/search.h"

#include "text/utf8.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tv {

namespace {
char up(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
} // namespace

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = up(c);
    return out;
}

namespace {

// Letter case ignored for a text that holds letters beyond ASCII: compared
// character by character from each character's start.
std::optional<int> findFolded(std::string_view text, std::size_t from, std::string_view f) {
    const std::string needle = upperText(f);
    for (std::size_t p = from; p + needle.size() <= text.size(); ++p) {
        if ((static_cast<unsigned char>(text[p]) & 0xC0) == 0x80) continue;  // inside a character
        std::size_t i = p, k = 0;
        bool same = true;
        while (same && k < needle.size()) {
            const char32_t a = upperOf(nextCodePoint(text, i));
            const char32_t b = nextCodePoint(needle, k);
            same = a == b && i <= text.size();
        }
        if (same) return static_cast<int>(p);
    }
    return std::nullopt;
}

} // namespace

std::optional<int> findText(std::string_view text, int from, std::string_view f, bool caseSensitive) {
    if (f.empty() || from < 0 || static_cast<std::size_t>(from) > text.size()) return std::nullopt;
    if (caseSensitive) {
        const std::size_t p = text.find(f, static_cast<std::size_t>(from));
        return p == std::string_view::npos ? std::nullopt : std::optional<int>(static_cast<int>(p));
    }
    if (std::any_of(f.begin(), f.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        return findFolded(text, static_cast<std::size_t>(from), f);
    const std::string needle = upperAscii(f);
    if (text.size() < needle.size()) return std::nullopt;
    const std::size_t last = text.size() - needle.size();
    // Candidates are found by the first character in either case, with
    // memchr, and then compared whole.
    const char first = needle[0];
    const char other = (first >= 'A' && first <= 'Z') ? static_cast<char>(first + 32) : first;
    const char* base = text.data();
    auto nextOf = [&](char c, std::size_t from) -> std::size_t {
        if (from > last) return std::string_view::npos;
        const void* p = std::memchr(base + from, c, last - from + 1);
        return p ? static_cast<std::size_t>(static_cast<const char*>(p) - base) : std::string_view::npos;
    };
    std::size_t a = nextOf(first, static_cast<std::size_t>(from));
    std::size_t b = other == first ? std::string_view::npos : nextOf(other, static_cast<std::size_t>(from));
    while (a != std::string_view::npos || b != std::string_view::npos) {
        const std::size_t i = std::min(a, b);
        std::size_t k = 1;
        while (k < needle.size() && up(text[i + k]) == needle[k]) ++k;
        if (k == needle.size()) return static_cast<int>(i);
        if (i == a) a = nextOf(first, i + 1);
        else b = nextOf(other, i + 1);
    }
    return std::nullopt;
}

bool selectionMatches(std::string_view sel, std::string_view f, bool caseSensitive) {
    if (sel.empty()) return false;
    return caseSensitive ? sel == f : upperText(sel) == upperText(f);
}

ReplaceAllResult replaceAllFrom(std::string_view text, int selStart, int selLength, std::string_view find,
                                std::string_view replacement, bool caseSensitive) {
    ReplaceAllResult r;
    r.caret = selStart;
    if (find.empty()) return r;
    const auto sel = text.substr(static_cast<std::size_t>(std::clamp(selStart, 0, static_cast<int>(text.size()))),
                                 static_cast<std::size_t>(std::max(selLength, 0)));
    std::optional<int> at = selectionMatches(sel, find, caseSensitive) ? std::optional<int>(selStart)
                                                                       : findText(text, selStart, find, caseSensitive);
    if (!at) return r;
    r.from = *at;
    std::size_t copied = static_cast<std::size_t>(*at);
    while (at) {
        r.text.append(text.substr(copied, static_cast<std::size_t>(*at) - copied));
        r.text.append(replacement);
        copied = static_cast<std::size_t>(*at) + find.size();
        ++r.count;
        at = findText(text, static_cast<int>(copied), find, caseSensitive);
    }
    r.to = static_cast<int>(copied);
    r.caret = r.from + static_cast<int>(r.text.size());
    return r;
}

LineNumber parseLineNumber(const std::string& text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long v = 0;
    bool digits = false;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return {std::nullopt, "'" + text + "' is not a valid integer value"};
        digits = true;
        v = v * 10 + (text[i] - '0');
        if (v > std::numeric_limits<int>::max() + 1LL) return {std::nullopt, "'" + text + "' is not a valid integer value"};
    }
    if (!digits) return {std::nullopt, "'" + text + "' is not a valid integer value"};
    v = negative ? -v : v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return {std::nullopt, "'" + text + "' is not a valid integer value"};
    return {static_cast<int>(v), {}};
}

} // namespace tv
