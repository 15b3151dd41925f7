#include "text/entities.h"

#include "text/codec.h"
#include "text/utf8.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>

namespace tv {

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

namespace {

struct EntityRow {
    const char* name;       // without the closing semicolon
    unsigned char ch;
    bool toEntities;        // written by the encoding direction
};

// Table order matters: decoding runs row after row ("&amp;lt;" becomes "<"
// because the "&amp" row runs before the "&lt" row).
constexpr EntityRow kRows[] = {
    {"&AElig", 0xC6, true},  {"&Aacute", 0xC1, true}, {"&Acirc", 0xC2, true},
    {"&Agrave", 0xC0, true}, {"&Aring", 0xC5, true},  {"&Atilde", 0xC3, true},
    {"&Auml", 0xC4, true},   {"&Ccedil", 0xC7, true}, {"&ETH", 0xD0, true},
    {"&Eacute", 0xC9, true}, {"&Ecirc", 0xCA, true},  {"&Egrave", 0xC8, true},
    {"&Euml", 0xCB, true},   {"&Iacute", 0xCD, true}, {"&Icirc", 0xCE, true},
    {"&Igrave", 0xCC, true}, {"&Iuml", 0xCF, true},   {"&Ntilde", 0xD1, true},
    {"&Oacute", 0xD3, true}, {"&Ocirc", 0xD4, true},  {"&Ograve", 0xD2, true},
    {"&Oslash", 0xD8, true}, {"&Otilde", 0xD5, true}, {"&Ouml", 0xD6, true},
    {"&THORN", 0xDE, true},  {"&Uacute", 0xDA, true}, {"&Ucirc", 0xDB, true},
    {"&Ugrave", 0xD9, true}, {"&Uuml", 0xDC, true},   {"&Yacute", 0xDD, true},
    {"&aacute", 0xE1, true}, {"&acirc", 0xE2, true},  {"&aelig", 0xE6, true},
    {"&agrave", 0xE0, true}, {"&aring", 0xE5, true},  {"&atilde", 0xE3, true},
    {"&auml", 0xE4, true},   {"&ccedil", 0xE7, true}, {"&eacute", 0xE9, true},
    {"&ecirc", 0xEA, true},  {"&egrave", 0xE8, true}, {"&eth", 0xF0, true},
    {"&euml", 0xEB, true},   {"&iacute", 0xED, true}, {"&igrave", 0xEC, true},
    {"&iuml", 0xEF, true},   {"&ntilde", 0xF1, true}, {"&oacute", 0xF3, true},
    {"&ocirc", 0xF4, true},  {"&ograve", 0xF2, true}, {"&oslash", 0xF8, true},
    {"&otilde", 0xF5, true}, {"&ouml", 0xF6, true},   {"&szlig", 0xDF, true},
    {"&thorn", 0xFE, true},  {"&uacute", 0xFA, true}, {"&ucirc", 0xFB, true},
    {"&ugrave", 0xF9, true}, {"&uuml", 0xFC, true},   {"&yacute", 0xFD, true},
    {"&yuml", 0xFF, true},
    {"&reg", 0xAE, true},    {"&copy", 0xA9, true},   {"&amp", '&', true},
    {"&trade", 0x99, true},  {"&lt", '<', false},     {"&gt", '>', false},
    {"&quot", '"', false},   {"&shy", '-', false},    {"&nbsp", ' ', false},
    {"&emsp", ' ', false},   {"&ensp", ' ', false},   {"&emdash", '-', false},
    {"&endash", '-', false},
};

char32_t codePointOf(const EntityRow& row) { return windows1252().toUnicode(row.ch); }

std::string encode(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) < 0x80) {
            // Only an ampersand followed by a blank is taken for a character.
            if (c == '&' && i + 1 < text.size() && text[i + 1] == ' ') out += "&amp;";
            else out += c;
            ++i;
            continue;
        }
        const char32_t cp = nextCodePoint(text, i);
        const EntityRow* named = nullptr;
        for (const EntityRow& row : kRows)
            if (row.toEntities && row.ch >= 0x80 && codePointOf(row) == cp) named = &row;
        if (named) out += std::string(named->name) + ";";
        else out += "&#" + std::to_string(static_cast<unsigned long>(cp)) + ";";
    }
    return out;
}

void decodeNamedRow(std::string& text, const EntityRow& row) {
    const std::string_view name(row.name);
    const std::string character = utf8Of(codePointOf(row));
    std::size_t from = 0;
    for (;;) {
        const std::size_t p = text.find(name, from);
        if (p == std::string::npos) return;
        std::size_t len = name.size();
        if (p + len < text.size() && text[p + len] == ';') ++len;
        text.replace(p, len, character);
        // Searching again from the start can only find an occurrence that the
        // inserted character completes, which must begin within name.size()
        // characters before its end; anything earlier was already searched.
        const std::size_t end = p + character.size();
        from = end > name.size() ? end - name.size() : 0;
    }
}

// The character a numeric reference stands for; none when it is left as
// written. Codes 128 to 159 are read as browsers read them, as the
// Windows-1252 characters. In a document that holds any character every
// code point goes in; otherwise only the characters of that code page.
std::optional<char32_t> referencedCharacter(std::int64_t value, bool anyCharacter) {
    if (value < 1) return std::nullopt;  // a NUL would go into the document
    if (value <= 255) return windows1252().toUnicode(static_cast<unsigned char>(value));
    if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
    const auto cp = static_cast<char32_t>(value);
    unsigned char byte = 0;
    if (!anyCharacter && !windows1252().fromUnicode(cp, byte)) return std::nullopt;
    return cp;
}

void decodeNumeric(std::string& text, bool anyCharacter) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '&' || i + 1 >= text.size() || text[i + 1] != '#') {
            out += text[i++];
            continue;
        }
        std::size_t j = i + 2;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j;
        if (j == i + 2) {  // "&#" without digits: step over it
            out += "&#";
            i += 2;
            continue;
        }
        const std::string digits = text.substr(i + 2, j - i - 2);
        std::int64_t value = 0;
        for (char d : digits) {
            value = value * 10 + (d - '0');
            if (value > std::numeric_limits<std::int32_t>::max()) throw EntityNumberError(digits);
        }
        std::size_t end = j;
        if (end < text.size() && text[end] == ';') ++end;
        if (const auto cp = referencedCharacter(value, anyCharacter)) appendUtf8(out, *cp);
        else out.append(text, i, end - i);
        i = end;
    }
    text.swap(out);
}

} // namespace

EntityNumberError::EntityNumberError(const std::string& digits)
    : std::runtime_error("'" + digits + "' is not a valid integer value") {}

std::string TranslateEntities(std::string_view text, EntityDirection direction, bool anyCharacter) {
    if (direction == EntityDirection::ToEntities) return encode(text);
    std::string out(text);
    for (const EntityRow& row : kRows) decodeNamedRow(out, row);
    decodeNumeric(out, anyCharacter);
    return out;
}

int ReplaceAll(std::string_view find, std::string_view replacement, std::string& text,
               bool caseSensitive) {
    if (find.empty() || text.size() < find.size()) return 0;
    auto fold = [caseSensitive](char c) {
        return (!caseSensitive && c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    };
    auto matchesAt = [&](std::size_t p) {
        for (std::size_t k = 0; k < find.size(); ++k)
            if (fold(text[p + k]) != fold(find[k])) return false;
        return true;
    };
    std::string out;
    int count = 0;
    std::size_t i = 0;
    std::size_t copied = 0;
    while (i + find.size() <= text.size()) {
        if (matchesAt(i)) {
            if (count == 0) out.reserve(text.size());
            out.append(text, copied, i - copied);
            out.append(replacement);
            i += find.size();
            copied = i;
            ++count;
        } else {
            ++i;
        }
    }
    if (count == 0) return 0;
    out.append(text, copied, std::string::npos);
    text.swap(out);
    return count;
}

} // namespace tv
