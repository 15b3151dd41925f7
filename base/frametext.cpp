#include "base/frametext.h"

#include <vector>

namespace tv {

std::string shortHint(std::string_view hint) {
    return std::string(hint.substr(0, hint.find('|')));
}

std::string longHint(std::string_view hint) {
    const std::size_t bar = hint.find('|');
    return std::string(bar == std::string_view::npos ? hint : hint.substr(bar + 1));
}

std::string caretPositionText(int line, int column) {
    return std::to_string(line) + ": " + std::to_string(column);
}

namespace {
std::string trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return std::string(s.substr(b, e - b));
}
} // namespace

std::string dialogFilter(std::string_view filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = filter.find('|', start);
        parts.emplace_back(filter.substr(start, bar == std::string_view::npos ? bar : bar - start));
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    std::string out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns;
        std::string_view pat = parts[i + 1];
        std::size_t s = 0;
        for (;;) {
            const std::size_t semi = pat.find(';', s);
            const std::string one = trim(pat.substr(s, semi == std::string_view::npos ? semi : semi - s));
            if (!one.empty()) patterns += (patterns.empty() ? "" : " ") + one;
            if (semi == std::string_view::npos) break;
            s = semi + 1;
        }
        std::string name = trim(parts[i]);
        // Qt reads the patterns from the last parentheses of an entry, so a
        // name like "HTML (*.html)" carries them already.
        const bool shown = name.find("(" + patterns + ")") != std::string::npos;
        if (!out.empty()) out += ";;";
        out += shown ? parts[i] : name + " (" + patterns + ")";
    }
    return out;
}

std::string untitledName(int number) { return "Untitled " + std::to_string(number); }

bool IsUntitledName(std::string_view name) { return name.substr(0, 8) == "Untitled"; }

} // namespace tv
