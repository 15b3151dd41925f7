#include "editor/textmodel.h"

#include "text/entities.h"

#include <algorithm>

namespace tv {

int clampLine(int line, int lineCount) {
    return std::clamp(line, 0, std::max(0, lineCount - 1));
}

int clampColumn(int column, int lineLength) {
    return std::clamp(column, 0, std::max(0, lineLength));
}

namespace {
// 0-based position of the first occurrence of an upper-case ASCII needle,
// comparing the text's a-z as A-Z.
std::size_t findFolded(std::string_view text, std::string_view needle) {
    if (needle.size() > text.size()) return std::string_view::npos;
    const std::size_t last = text.size() - needle.size();
    for (std::size_t i = 0; i <= last; ++i) {
        if (text[i] != '<') continue;
        std::size_t k = 1;
        for (; k < needle.size(); ++k) {
            char c = text[i + k];
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
            if (c != needle[k]) break;
        }
        if (k == needle.size()) return i;
    }
    return std::string_view::npos;
}
} // namespace

std::string GetTitleText(std::string_view text) {
    const std::size_t p1 = findFolded(text, "<TITLE>");
    const std::size_t p2 = findFolded(text, "</TITLE>");
    if (p1 == std::string_view::npos || p2 == std::string_view::npos || p2 <= p1 + 7) return {};
    const std::string_view raw = text.substr(p1 + 7, p2 - p1 - 7);
    try {
        return TranslateEntities(raw, EntityDirection::ToCharacters);
    } catch (const EntityNumberError&) {
        return std::string(raw);
    }
}

} // namespace tv
