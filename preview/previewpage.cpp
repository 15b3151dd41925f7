#include "preview/previewpage.h"

#include "text/htmlwalk.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace tv {
namespace {

bool oneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
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
    explicit Walk(std::string_view t) : text(t) {}
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
    std::string baseHref;
    bool baseFound = false;

    void close(std::size_t end) {
        page.elements[static_cast<std::size_t>(stack.back().element)].end = end;
        stack.pop_back();
    }

    void startTag(const HtmlTag& t) {
        while (!stack.empty() && endsOpen(stack.back().name, t.name)) close(t.start);
        const int number = static_cast<int>(page.elements.size());
        page.elements.push_back({t.start, t.end, stack.empty() ? -1 : stack.back().element});
        insertions.emplace_back(t.nameEnd, " " + std::string(kPreviewAttribute) + "=\"" + std::to_string(number) + "\"");
        if (!baseSettled) {
            // The base goes after <html> and <head>, before everything else.
            if (t.name == "html" || t.name == "head") baseAt = t.end;
            if (t.name != "html") baseSettled = true;
        }
        if (t.name == "base" && !baseFound) {
            if (const HtmlAttribute* href = t.attribute("href")) {
                baseHref = std::string(href->value);
                baseFound = true;
            }
        }
        if (!isVoidElement(t.name)) stack.push_back({t.name, number});
    }

    void endTag(const HtmlTag& t) {
        const auto open = std::find_if(stack.rbegin(), stack.rend(), [&](const Open& o) { return o.name == t.name; });
        if (open == stack.rend()) return;
        const std::size_t keep = static_cast<std::size_t>(stack.rend() - open) - 1;
        while (stack.size() > keep + 1) close(t.start);
        close(t.end);
    }

    void run() {
        HtmlWalk walk;
        walk.tag = [this](const HtmlTag& t) { t.isEnd ? endTag(t) : startTag(t); };
        walk.declaration = [this](std::size_t end) {
            if (!baseSettled && stack.empty()) baseAt = end;  // after the doctype
        };
        walkHtml(text, walk);
        while (!stack.empty()) close(text.size());
    }
};

} // namespace

std::string pageBaseHref(std::string_view text) {
    Walk w(text);
    w.run();
    return w.baseHref;
}

PreviewPage makePreviewPage(std::string_view text, std::string_view baseHref) {
    const std::string_view bom = "\xEF\xBB\xBF";
    Walk w(text);
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
