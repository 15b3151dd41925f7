#include "text/utf8.h"

#include <algorithm>

#include <cstdint>
#include <cstring>

namespace tv {

char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int len = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) { len = 2; cp = b0 & 0x1F; }
    else if ((b0 & 0xF0) == 0xE0) { len = 3; cp = b0 & 0x0F; }
    else if ((b0 & 0xF8) == 0xF0) { len = 4; cp = b0 & 0x07; }
    else { ++i; return 0xFFFD; }
    if (i + static_cast<std::size_t>(len) > s.size()) { ++i; return 0xFFFD; }
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((b & 0xC0) != 0x80) { ++i; return 0xFFFD; }
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) { ++i; return 0xFFFD; }
    i += static_cast<std::size_t>(len);
    return cp;
}

char32_t previousCodePoint(std::string_view s, std::size_t& i) {
    // Back over at most three continuation bytes to a lead byte, and read
    // forward from there; a stray continuation byte counts as one.
    std::size_t start = i - 1;
    for (int k = 0; k < 3 && start > 0 && (static_cast<unsigned char>(s[start]) & 0xC0) == 0x80; ++k) --start;
    std::size_t j = start;
    const char32_t cp = nextCodePoint(s, j);
    if (j != i) {
        i -= 1;
        return 0xFFFD;
    }
    i = start;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string utf8Of(char32_t cp) {
    std::string s;
    appendUtf8(s, cp);
    return s;
}

bool isAscii(std::string_view s) {
    return std::none_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        // Runs of ASCII, the bulk of a page, eight bytes at a time.
        while (i + 8 <= s.size()) {
            std::uint64_t word;
            std::memcpy(&word, s.data() + i, 8);
            if (word & 0x8080808080808080ULL) break;
            i += 8;
        }
        if (i >= s.size()) break;
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t at = i;
        if (nextCodePoint(s, i) == 0xFFFD) {
            // A real U+FFFD is three bytes; a malformed sequence moves one.
            if (i != at + 3) return false;
        }
    }
    return true;
}

std::size_t characterCount(std::string_view s) {
    std::size_t n = 0;
    for (char c : s)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

std::size_t prefixOfCharacters(std::string_view s, std::size_t count) {
    std::size_t i = 0;
    while (i < s.size() && count > 0) {
        nextCodePoint(s, i);
        --count;
    }
    return i;
}

std::string_view cutAtCharacter(std::string_view s, std::size_t maxBytes) {
    if (s.size() <= maxBytes) return s;
    std::size_t n = maxBytes;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
    return s.substr(0, n);
}

namespace {

// A pair of an upper-case and a lower-case letter: the lower is the upper
// plus `delta`, for `count` letters stepping by `step` from `upper`.
struct CaseRange {
    char32_t upper;
    int count;
    int step;
    int delta;
};

constexpr CaseRange kRanges[] = {
    {0x41, 26, 1, 32},     // A-Z
    {0xC0, 23, 1, 32},     // À-Ö
    {0xD8, 7, 1, 32},      // Ø-Þ
    {0x100, 24, 2, 1},     // Ā-į
    {0x132, 3, 2, 1},      // Ĳ-ķ
    {0x139, 8, 2, 1},      // Ĺ-ň
    {0x14A, 23, 2, 1},     // Ŋ-ŷ
    {0x179, 3, 2, 1},      // Ź-ž
    {0x386, 1, 1, 38},     // Ά
    {0x388, 3, 1, 37},     // Έ-Ί
    {0x38C, 1, 1, 64},     // Ό
    {0x38E, 2, 1, 63},     // Ύ-Ώ
    {0x391, 17, 1, 32},    // Α-Ρ
    {0x3A3, 9, 1, 32},     // Σ-Ϋ
    {0x400, 16, 1, 80},    // Ѐ-Џ
    {0x410, 32, 1, 32},    // А-Я
    {0x460, 17, 2, 1},     // Ѡ-ѿ
    {0x48A, 27, 2, 1},     // Ҋ-ҿ
    {0x4D0, 48, 2, 1},     // Ӑ-ӿ
    {0x1E00, 75, 2, 1},    // Ḁ-ẕ
    {0x1EA0, 48, 2, 1},    // Ạ-ỿ (Vietnamese)
};

bool inRange(const CaseRange& r, char32_t cp, char32_t base) {
    if (cp < base) return false;
    const char32_t off = cp - base;
    return off % static_cast<char32_t>(r.step) == 0 && off / static_cast<char32_t>(r.step) < static_cast<char32_t>(r.count);
}

} // namespace

char32_t upperOf(char32_t cp) {
    if (cp < 0x80) return (cp >= 'a' && cp <= 'z') ? cp - 32 : cp;
    if (cp == 0xFF) return 0x178;
    if (cp == 0x3C2) return 0x3A3;  // final sigma
    for (const CaseRange& r : kRanges)
        if (inRange(r, cp, r.upper + static_cast<char32_t>(r.delta))) return cp - static_cast<char32_t>(r.delta);
    return cp;
}

char32_t lowerOf(char32_t cp) {
    if (cp < 0x80) return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
    if (cp == 0x178) return 0xFF;
    for (const CaseRange& r : kRanges)
        if (inRange(r, cp, r.upper)) return cp + static_cast<char32_t>(r.delta);
    return cp;
}

bool isLetter(char32_t cp) {
    if (cp < 0x80) return (cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z');
    if (cp == 0xD7 || cp == 0xF7) return false;
    if (cp >= 0xC0 && cp <= 0x24F) return true;  // the Latin letters
    if (cp == 0xAA || cp == 0xBA || cp == 0xB5) return true;
    return upperOf(cp) != cp || lowerOf(cp) != cp || (cp >= 0x3B1 && cp <= 0x3C9) || (cp >= 0x430 && cp <= 0x44F);
}

std::string upperText(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            out += static_cast<char>(upperOf(static_cast<unsigned char>(s[i++])));
            continue;
        }
        const std::size_t at = i;
        const char32_t cp = nextCodePoint(s, i);
        if (cp == 0xFFFD && i == at + 1) out += s[at];  // a stray byte stays as it is
        else appendUtf8(out, upperOf(cp));
    }
    return out;
}

} // namespace tv
