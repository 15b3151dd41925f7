#include "check/references.h"

#include "text/entities.h"
#include "text/htmlwalk.h"

#include <cctype>

namespace tv {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string decoded(std::string_view s) {
    if (s.find('&') == std::string_view::npos) return std::string(s);
    // Hexadecimal references (&#x61;) as decimal ones first.
    std::string text;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s.compare(i, 3, "&#x") == 0 || s.compare(i, 3, "&#X") == 0) {
            std::size_t j = i + 3;
            unsigned long long v = 0;
            while (j < s.size() && hexDigitValue(s[j]) >= 0 && v < 0x110000) v = v * 16 + static_cast<unsigned>(hexDigitValue(s[j++]));
            if (j > i + 3 && j < s.size() && s[j] == ';' && v < 0x110000) {
                text += "&#" + std::to_string(v) + ";";
                i = j;
                continue;
            }
        }
        text += s[i];
    }
    try {
        return TranslateEntities(text, EntityDirection::ToCharacters);
    } catch (const EntityNumberError&) {
        return std::string(s);
    }
}

void add(std::vector<PageReference>& out, std::string_view written, std::size_t offset) {
    const std::string_view t = trimmed(written);
    if (t.empty() && written.empty()) {
        out.push_back({std::string(), std::string(), offset});
        return;
    }
    out.push_back({std::string(written), std::string(trimmed(decoded(t))), offset});
}

// "a.png 1x, b.png 2x": each candidate's address.
void addSrcset(std::vector<PageReference>& out, std::string_view value, std::size_t offset) {
    std::size_t i = 0;
    while (i < value.size()) {
        while (i < value.size() && (isBlank(value[i]) || value[i] == ',')) ++i;
        const std::size_t start = i;
        while (i < value.size() && !isBlank(value[i])) ++i;
        std::size_t end = i;
        while (end > start && value[end - 1] == ',') --end;  // "a.png," with no descriptor
        if (end > start) add(out, value.substr(start, end - start), offset + start);
        if (end < i) continue;
        while (i < value.size() && value[i] != ',') ++i;  // the descriptor
    }
}

// A quoted address from its opening quote at `j`: where it ends.
std::size_t addQuoted(std::vector<PageReference>& out, std::string_view css, std::size_t j, std::size_t offset) {
    const std::size_t close = css.find(css[j], j + 1);
    const std::size_t end = close == std::string_view::npos ? css.size() : close;
    add(out, css.substr(j + 1, end - j - 1), offset + j + 1);
    return end;
}

} // namespace

std::string percentDecoded(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && hexDigitValue(s[i + 1]) >= 0 && hexDigitValue(s[i + 2]) >= 0) {
            out += static_cast<char>(hexDigitValue(s[i + 1]) * 16 + hexDigitValue(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

void scanCssReferences(std::string_view css, std::size_t offset, std::vector<PageReference>& out) {
    std::size_t i = 0;
    const std::size_t n = css.size();
    while (i < n) {
        const char c = css[i];
        if (c == '/' && i + 1 < n && css[i + 1] == '*') {  // a comment
            const std::size_t close = css.find("*/", i + 2);
            i = close == std::string_view::npos ? n : close + 2;
        } else if ((c == 'u' || c == 'U') && i + 3 < n && asciiLower(css[i + 1]) == 'r' && asciiLower(css[i + 2]) == 'l' &&
                   css[i + 3] == '(' && (i == 0 || !(std::isalnum(static_cast<unsigned char>(css[i - 1])) || css[i - 1] == '-'))) {
            std::size_t j = i + 4;
            while (j < n && isBlank(css[j])) ++j;
            if (j < n && (css[j] == '"' || css[j] == '\'')) {
                i = addQuoted(out, css, j, offset);
            } else {
                const std::size_t close = css.find(')', j);
                std::size_t end = close == std::string_view::npos ? n : close;
                while (end > j && isBlank(css[end - 1])) --end;
                add(out, css.substr(j, end - j), offset + j);
                i = close == std::string_view::npos ? n : close;
            }
        } else if (c == '@' && css.compare(i, 7, "@import") == 0) {
            std::size_t j = i + 7;
            while (j < n && isBlank(css[j])) ++j;
            if (j < n && (css[j] == '"' || css[j] == '\'')) {
                i = addQuoted(out, css, j, offset);
            } else {
                i = j;  // url(...) follows, read as above
            }
        } else if (c == '"' || c == '\'') {  // a string that is no address
            const std::size_t close = css.find(c, i + 1);
            i = close == std::string_view::npos ? n : close;
        }
        ++i;
    }
}

PageReferences scanPageReferences(std::string_view html) {
    PageReferences r;
    HtmlWalk walk;
    walk.tag = [&](const HtmlTag& t) {
        if (t.isEnd) return;
        for (const HtmlAttribute& a : t.attributes) {
            std::string name;
            for (char ch : a.name) name += asciiLower(ch);
            if (name == "id" && a.hasValue && !a.value.empty()) {
                r.anchors.push_back({decoded(a.value), a.valueStart, true});
            } else if (name == "name" && t.name == "a" && a.hasValue && !a.value.empty()) {
                r.anchors.push_back({decoded(a.value), a.valueStart, false});
            } else if (name == "style" && a.hasValue) {
                scanCssReferences(a.value, a.valueStart, r.references);
            } else if (name == "srcset" && a.hasValue) {
                addSrcset(r.references, a.value, a.valueStart);
            } else if (name == "href" && t.name == "base") {
                if (!r.hasBase && a.hasValue) {
                    r.hasBase = true;
                    r.base = std::string(trimmed(decoded(a.value)));
                }
            } else if (a.hasValue && (name == "href" || name == "src" || name == "action" || name == "poster" ||
                                      name == "background" || (name == "data" && t.name == "object"))) {
                add(r.references, a.value, a.valueStart);
            }
        }
    };
    walk.rawText = [&](std::string_view element, std::size_t start, std::size_t end) {
        if (element == "style") scanCssReferences(html.substr(start, end - start), start, r.references);
    };
    walkHtml(html, walk);
    return r;
}

} // namespace tv
