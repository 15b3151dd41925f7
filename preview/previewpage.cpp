#include "preview/previewpage.h"

#include "text/htmltree.h"

#include <algorithm>

namespace tv {
namespace {

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
    ElementStack stack;
    std::size_t baseAt = 0;
    bool baseSettled = false;
    std::string baseHref;
    bool baseFound = false;

    void startTag(const HtmlTag& t) {
        const int number = static_cast<int>(page.elements.size());
        page.elements.push_back({t.start, t.end, -1});
        stack.start(t, number, [this](const ElementStack::Closed& c) { closed(c); });
        // Its parent is what stays open once the elements it ends are ended.
        const auto& open = stack.open();
        const std::size_t above = isVoidElement(t.name) ? 0 : 1;
        if (open.size() > above) page.elements.back().parent = open[open.size() - 1 - above].id;
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
    }

    void closed(const ElementStack::Closed& c) { page.elements[static_cast<std::size_t>(c.element.id)].end = c.end; }

    void run() {
        HtmlWalk walk;
        walk.tag = [this](const HtmlTag& t) {
            if (!t.isEnd) startTag(t);
            else stack.end(t, [this](const ElementStack::Closed& c) { closed(c); });
        };
        walk.declaration = [this](std::size_t end) {
            if (!baseSettled && stack.open().empty()) baseAt = end;  // after the doctype
        };
        walkHtml(text, walk);
        stack.finish(text.size(), [this](const ElementStack::Closed& c) { closed(c); });
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
