#include "tools/texttools.h"

#include "text/codec.h"
#include "text/entities.h"
#include "text/utf8.h"

namespace tv {

bool isCaseWordChar(char32_t c) { return isLetter(c) || (c >= '0' && c <= '9') || c == '\''; }

std::string ChangeCase(std::string_view text, int selStart, int selLength, CaseMode mode) {
    // The selection as characters, and the two characters before it.
    std::u32string s;
    for (std::size_t i = static_cast<std::size_t>(selStart), end = i + static_cast<std::size_t>(selLength); i < end;)
        s += nextCodePoint(text.substr(0, end), i);
    char32_t before[2] = {0, 0};
    std::size_t back = static_cast<std::size_t>(selStart);
    for (char32_t& b : before)
        if (back > 0) b = previousCodePoint(text, back);
    auto wordBefore = [&](int k) { return before[k - 1] != 0 && isCaseWordChar(before[k - 1]); };
    switch (mode) {
    case CaseMode::Upper:
        for (char32_t& c : s) c = upperOf(c);
        break;
    case CaseMode::Lower:
        for (char32_t& c : s) c = lowerOf(c);
        break;
    case CaseMode::Toggle:
        for (char32_t& c : s) c = lowerOf(c) == c ? upperOf(c) : lowerOf(c);
        break;
    case CaseMode::Words:
        for (std::size_t i = 0; i < s.size(); ++i) {
            const bool after = i == 0 ? !wordBefore(1) : !isCaseWordChar(s[i - 1]);
            if (after) s[i] = upperOf(s[i]);
        }
        break;
    case CaseMode::Sentences: {
        if (!s.empty() && !wordBefore(1) && !wordBefore(2)) s[0] = upperOf(s[0]);
        bool armed = false;
        for (std::size_t i = 1; i < s.size(); ++i) {
            if (s[i] == '.') {
                armed = true;
            } else if (armed && isCaseWordChar(s[i])) {
                s[i] = upperOf(s[i]);
                armed = false;
            }
        }
        break;
    }
    }
    std::string out;
    out.reserve(static_cast<std::size_t>(selLength));
    for (char32_t c : s) appendUtf8(out, c);
    return out;
}

std::string RemoveLineBreaks(std::string_view sel) {
    std::string s(sel);
    ReplaceAll("\r\n", "", s, true);
    return s;
}

std::string RemoveTags(std::string_view sel) {
    std::string s(sel);
    for (;;) {
        const std::size_t open = s.find('<');
        const std::size_t close = s.find('>');
        if (open == std::string::npos || close == std::string::npos) return s;
        if (close < open) s.erase(close, 1);
        else s.erase(open, close - open + 1);
    }
}

std::string IndentLines(std::string_view sel, bool startsInColumn0) {
    std::string s(sel);
    ReplaceAll("\r\n", "\r\n  ", s, true);
    return startsInColumn0 ? "  " + s : s;
}

int lineStartOf(std::string_view text, int pos) {
    for (int i = pos - 1; i >= 0; --i)
        if (text[static_cast<std::size_t>(i)] == '\n') return i + 1;
    return 0;
}

std::string Uncomment(std::string_view sel) {
    std::string s(sel);
    if (const std::size_t p = s.find("<!--"); p != std::string::npos) s.erase(p, 4);
    if (const std::size_t p = s.find("-->"); p != std::string::npos) s.erase(p, 3);
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\xC2' && i + 1 < s.size() && (s[i + 1] == '\xAB' || s[i + 1] == '\xBB')) {
            out += s[++i] == '\xAB' ? '<' : '>';
            continue;
        }
        out += s[i];
    }
    return out;
}

std::string ZapHighBits(std::string_view sel) {
    // The look-alikes are those of the Windows-1252 letters and signs.
    auto fold = [](unsigned char b) -> const char* {
        switch (b) {
        case 0x91: case 0x92: return "'";
        case 0x85: return "...";
        case 0x93: case 0x94: return "\"";
        case 0xC7: return "C";
        case 0xD0: return "D";
        case 0xD1: return "N";
        case 0xDE: return "p";
        case 0xDD: case 0x9F: return "Y";
        case 0xE7: return "c";
        case 0xF0: return "o";
        case 0xF1: return "n";
        case 0xDF: return "B";
        case 0xFE: return "P";
        case 0xFD: case 0xFF: return "y";
        case 0xAB: return "<<";
        case 0xBB: return ">>";
        case 0x95: return "*";
        case 0x8A: return "S";
        case 0x9A: return "s";
        case 0x83: return "f";
        default: break;
        }
        if (b >= 0xC0 && b <= 0xC6) return "A";
        if (b >= 0xC8 && b <= 0xCB) return "E";
        if (b >= 0xCC && b <= 0xCF) return "I";
        if ((b >= 0xD2 && b <= 0xD6) || b == 0xD8) return "O";
        if (b >= 0xD9 && b <= 0xDC) return "U";
        if (b >= 0xE0 && b <= 0xE6) return "a";
        if (b >= 0xE8 && b <= 0xEB) return "e";
        if ((b >= 0xF2 && b <= 0xF6) || b == 0xF8) return "o";
        if (b == 0xEC || b == 0xED || b == 0xEF) return "i";
        if (b >= 0xF9 && b <= 0xFC) return "u";
        return nullptr;
    };
    std::string out;
    out.reserve(sel.size());
    std::size_t i = 0;
    while (i < sel.size()) {
        if (static_cast<unsigned char>(sel[i]) < 0x80) {
            out += sel[i++];
            continue;
        }
        const std::size_t at = i;
        const char32_t cp = nextCodePoint(sel, i);
        unsigned char byte = 0;
        const char* r = windows1252().fromUnicode(cp, byte) ? fold(byte) : nullptr;
        if (r) out += r;
        else out.append(sel, at, i - at);
    }
    return out;
}

std::string UrlDecode(std::string_view sel, bool removeLabels, int delimiter, bool anyCharacter) {
    std::string s(sel);
    if (removeLabels) {
        // Each "=" goes with the field name before it, back to the "&"
        // (which stays) or to the start.
        for (std::size_t eq = s.find('='); eq != std::string::npos; eq = s.find('=')) {
            const std::size_t amp = s.rfind('&', eq);
            const std::size_t from = amp == std::string::npos ? 0 : amp + 1;
            s.erase(from, eq - from + 1);
        }
    }
    for (char& c : s)
        if (c == '+') c = ' ';
    const char* separator = delimiter == 1 ? "," : delimiter == 2 ? "|" : "\r\n";
    ReplaceAll("&", separator, s, true);
    // Decoded bytes that form UTF-8 (in a document that holds any
    // character) are that character; any other byte above 0x7F is the
    // Windows-1252 character of that byte, as forms of older pages send them.
    std::string out;
    out.reserve(s.size());
    std::string bytes;  // a run of decoded bytes
    auto flush = [&] {
        std::size_t k = 0;
        while (k < bytes.size()) {
            const auto b = static_cast<unsigned char>(bytes[k]);
            if (b < 0x80) {
                out += bytes[k++];
                continue;
            }
            const std::size_t at = k;
            const char32_t cp = anyCharacter ? nextCodePoint(bytes, k) : 0xFFFD;
            if (cp == 0xFFFD && k <= at + 1) {
                k = at + 1;
                appendUtf8(out, windows1252().toUnicode(b));
            } else {
                out.append(bytes, at, k - at);
            }
        }
        bytes.clear();
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            const int hi = hexDigitValue(s[i + 1]), lo = hexDigitValue(s[i + 2]);
            if (hi >= 0 && lo >= 0 && (hi || lo)) {
                bytes += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        flush();
        out += s[i];
    }
    flush();
    return out;
}

} // namespace tv
