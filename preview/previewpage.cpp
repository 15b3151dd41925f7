#include "preview/previewpage.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace tv {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool oneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool isVoid(std::string_view name) {
    return oneOf(name, {"area", "base", "br", "col", "embed", "hr", "img", "input", "keygen", "link", "meta", "param",
                        "source", "track", "wbr"});
}

// Elements whose content is text up to their own end tag.
bool isRawText(std::string_view name) {
    return oneOf(name, {"script", "style", "textarea", "title", "xmp", "noembed", "noframes", "plaintext", "iframe"});
}

// Whether a start tag of `next` ends an open `open` that has no end tag, as
// a browser's parser ends it.
bool endsOpen(std::string_view open, std::string_view next) {
    if (open == "p")
        return oneOf(next, {"address", "article", "aside", "blockquote", "center", "details", "dialog", "dir", "div",
                            "dl", "fieldset", "figcaption", "figure", "footer", "form", "h1", "h2", "h3", "h4", "h5",
                            "h6", "header", "hgroup", "hr", "li", "dd", "dt", "main", "menu", "nav", "ol", "p", "pre",
                            "section", "summary", "table", "ul"});
    if (open == "li") return next == "li";
    if (open == "dt" || open == "dd") return next == "dt" || next == "dd";
    if (open == "td" || open == "th") return oneOf(next, {"td", "th", "tr", "tbody", "thead", "tfoot"});
    if (open == "tr") return oneOf(next, {"tr", "tbody", "thead", "tfoot"});
    if (open == "tbody" || open == "thead" || open == "tfoot") return oneOf(next, {"tbody", "thead", "tfoot"});
    if (open == "option") return next == "option" || next == "optgroup";
    if (open == "optgroup") return next == "optgroup";
    if (open == "head") return next == "body";
    return false;
}

// Reads a tag's name from `at` (its first letter): lower case, and where it
// ends.
std::string tagName(std::string_view text, std::size_t& at) {
    std::string name;
    while (at < text.size() && !isSpace(text[at]) && text[at] != '/' && text[at] != '>') name += lower(text[at++]);
    return name;
}

// From just past a start tag's name to just past its '>' (or the end of the
// text), reading attributes as a browser does: a '>' in a quoted value does
// not end the tag, a '<' is a character like any other. Each attribute's
// name and value go to `take`.
template <class Take>
std::size_t readAttributes(std::string_view text, std::size_t j, Take take) {
    const std::size_t n = text.size();
    for (;;) {
        while (j < n && (isSpace(text[j]) || text[j] == '/')) ++j;
        if (j >= n) return n;
        if (text[j] == '>') return j + 1;
        const std::size_t nameStart = j++;  // the name's first character may be '='
        while (j < n && !isSpace(text[j]) && text[j] != '/' && text[j] != '>' && text[j] != '=') ++j;
        const std::string_view name = text.substr(nameStart, j - nameStart);
        while (j < n && isSpace(text[j])) ++j;
        std::string_view value;
        if (j < n && text[j] == '=') {
            ++j;
            while (j < n && isSpace(text[j])) ++j;
            if (j < n && (text[j] == '"' || text[j] == '\'')) {
                const std::size_t close = std::min(text.find(text[j], j + 1), n);
                value = text.substr(j + 1, close - j - 1);
                j = close == n ? n : close + 1;
            } else {
                const std::size_t from = j;
                while (j < n && !isSpace(text[j]) && text[j] != '>') ++j;
                value = text.substr(from, j - from);
            }
        }
        take(name, value);
    }
}

// Where "</name" next begins, letter case aside, or the end of the text.
std::size_t rawTextEnd(std::string_view text, std::size_t from, std::string_view name) {
    for (std::size_t at = text.find("</", from); at != std::string_view::npos; at = text.find("</", at + 2)) {
        if (at + 2 + name.size() > text.size()) break;
        bool same = true;
        for (std::size_t k = 0; k < name.size() && same; ++k) same = lower(text[at + 2 + k]) == name[k];
        const std::size_t after = at + 2 + name.size();
        if (same && (after == text.size() || isSpace(text[after]) || text[after] == '/' || text[after] == '>')) return at;
    }
    return text.size();
}

std::string attributeValue(std::string_view value) {
    std::string out;
    for (char c : value) {
        if (c == '&') out += "&amp;";
        else if (c == '"') out += "&quot;";
        else out += c;
    }
    return out;
}

struct Walk {
    std::string_view text;
    PreviewPage page;
    std::vector<std::pair<std::size_t, std::string>> insertions;  // source position, text
    struct Open {
        std::string name;
        int element;
    };
    std::vector<Open> stack;
    std::size_t baseAt = 0;
    bool baseSettled = false;

    void close(std::size_t end) {
        page.elements[static_cast<std::size_t>(stack.back().element)].end = end;
        stack.pop_back();
    }

    void startTag(std::size_t at) {
        std::size_t nameEnd = at + 1;
        const std::string name = tagName(text, nameEnd);
        const std::size_t end = readAttributes(text, nameEnd, [](std::string_view, std::string_view) {});
        while (!stack.empty() && endsOpen(stack.back().name, name)) close(at);
        const int number = static_cast<int>(page.elements.size());
        page.elements.push_back({at, end, stack.empty() ? -1 : stack.back().element});
        insertions.emplace_back(nameEnd, " " + std::string(kPreviewAttribute) + "=\"" + std::to_string(number) + "\"");
        if (!baseSettled) {
            // The base goes after <html> and <head>, before everything else.
            if (name == "html" || name == "head") baseAt = end;
            if (name != "html") baseSettled = true;
        }
        if (!isVoid(name)) stack.push_back({name, number});
        pos = end;
        if (isRawText(name) && pos < text.size()) pos = rawTextEnd(text, pos, name);
    }

    void endTag(std::size_t at) {
        std::size_t nameEnd = at + 2;
        const std::string name = tagName(text, nameEnd);
        const std::size_t gt = text.find('>', nameEnd);
        const std::size_t end = gt == std::string_view::npos ? text.size() : gt + 1;
        const auto open = std::find_if(stack.rbegin(), stack.rend(), [&](const Open& o) { return o.name == name; });
        if (open != stack.rend()) {
            const std::size_t keep = static_cast<std::size_t>(stack.rend() - open) - 1;
            while (stack.size() > keep + 1) close(at);
            close(end);
        }
        pos = end;
    }

    std::size_t pos = 0;
    void run() {
        const std::size_t n = text.size();
        while (pos < n) {
            const std::size_t lt = text.find('<', pos);
            if (lt == std::string_view::npos || lt + 1 >= n) break;
            const char next = text[lt + 1];
            if (text.compare(lt, 4, "<!--") == 0) {
                const std::size_t close = text.find("-->", lt + 4);
                pos = close == std::string_view::npos ? n : close + 3;
            } else if (next == '!' || next == '?') {
                const std::size_t gt = text.find('>', lt + 2);
                pos = gt == std::string_view::npos ? n : gt + 1;
                if (!baseSettled && stack.empty()) baseAt = pos;  // after the doctype
            } else if (next == '/' && lt + 2 < n && isLetter(text[lt + 2])) {
                endTag(lt);
            } else if (isLetter(next)) {
                startTag(lt);
            } else {
                pos = lt + 1;
            }
        }
        while (!stack.empty()) close(n);
    }
};

} // namespace

std::string pageBaseHref(std::string_view text) {
    Walk w{text, {}, {}, {}, 0, false};
    w.run();
    for (const PreviewElement& e : w.page.elements) {
        std::size_t at = e.start + 1;
        if (tagName(text, at) != "base") continue;
        std::string href;
        bool found = false;
        readAttributes(text.substr(0, e.end), at, [&](std::string_view name, std::string_view value) {
            std::string lowered;
            for (char c : name) lowered += lower(c);
            if (!found && lowered == "href") {
                href = std::string(value);
                found = true;
            }
        });
        if (found) return href;
    }
    return {};
}

PreviewPage makePreviewPage(std::string_view text, std::string_view baseHref) {
    const std::string_view bom = "\xEF\xBB\xBF";
    Walk w{text, {}, {}, {}, 0, false};
    w.run();
    if (!baseHref.empty()) w.insertions.emplace_back(w.baseAt, "<base href=\"" + attributeValue(baseHref) + "\">");
    std::stable_sort(w.insertions.begin(), w.insertions.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    PreviewPage page = std::move(w.page);
    std::size_t extra = bom.size();
    for (const auto& i : w.insertions) extra += i.second.size();
    page.bytes.reserve(text.size() + extra);
    page.bytes += bom;
    // A text that begins with its own mark keeps one.
    std::size_t from = text.substr(0, 3) == bom ? 3 : 0;
    for (const auto& [at, inserted] : w.insertions) {
        const std::size_t to = std::max(at, from);
        page.bytes.append(text.substr(from, to - from));
        page.bytes += inserted;
        from = to;
    }
    page.bytes.append(text.substr(from));
    return page;
}

int previewElementAt(const PreviewPage& page, std::size_t pos) {
    const auto& els = page.elements;
    auto it = std::upper_bound(els.begin(), els.end(), pos, [](std::size_t p, const PreviewElement& e) { return p < e.start; });
    if (it == els.begin()) return -1;
    int i = static_cast<int>(it - els.begin()) - 1;
    while (i >= 0 && els[static_cast<std::size_t>(i)].end <= pos) i = els[static_cast<std::size_t>(i)].parent;
    return i;
}

} // namespace tv
