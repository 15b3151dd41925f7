#include "text/htmltree.h"

#include <algorithm>
#include <initializer_list>

namespace tv {
namespace {
bool oneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}
} // namespace

bool startTagEnds(std::string_view open, std::string_view next) {
    if (open == "p")
        return oneOf(next, {"address", "article", "aside", "blockquote", "center", "details", "dialog", "dir", "div",
                            "dl", "fieldset", "figcaption", "figure", "footer", "form", "h1", "h2", "h3", "h4", "h5",
                            "h6", "header", "hgroup", "hr", "li", "dd", "dt", "main", "menu", "nav", "ol", "p", "pre",
                            "search", "section", "summary", "table", "ul"});
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

void ElementStack::pop(std::size_t at, const HtmlTag* endTag, const OnClosed& closed) {
    Closed c;
    c.element = std::move(open_.back());
    open_.pop_back();
    c.end = endTag ? endTag->end : at;
    c.byEndTag = endTag != nullptr;
    c.endTagStart = endTag ? endTag->start : 0;
    if (closed) closed(c);
}

void ElementStack::start(const HtmlTag& tag, int id, const OnClosed& closed) {
    while (!open_.empty() && startTagEnds(open_.back().name, tag.name)) pop(tag.start, nullptr, closed);
    if (!isVoidElement(tag.name)) open_.push_back({tag.name, tag.start, tag.end, id});
}

bool ElementStack::end(const HtmlTag& tag, const OnClosed& closed) {
    const auto it = std::find_if(open_.rbegin(), open_.rend(), [&](const Open& o) { return o.name == tag.name; });
    if (it == open_.rend()) return false;
    const std::size_t keep = static_cast<std::size_t>(open_.rend() - it) - 1;
    while (open_.size() > keep + 1) pop(tag.start, nullptr, closed);
    pop(tag.end, &tag, closed);
    return true;
}

void ElementStack::finish(std::size_t textEnd, const OnClosed& closed) {
    while (!open_.empty()) pop(textEnd, nullptr, closed);
}

std::vector<ElementStack::Open> openElementsAt(std::string_view text, std::size_t pos) {
    ElementStack stack;
    HtmlWalk walk;
    walk.tag = [&](const HtmlTag& t) {
        if (t.isEnd) stack.end(t);
        else stack.start(t, -1);
    };
    walkHtml(text.substr(0, std::min(pos, text.size())), walk);
    return stack.open();
}

} // namespace tv
