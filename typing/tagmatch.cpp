#include "typing/tagmatch.h"

#include "text/htmltree.h"

namespace tv {
namespace {

// How far back from the position its tag's '<' is looked for.
constexpr std::size_t kTagReach = 1 << 16;

std::optional<HtmlTag> tagAround(std::string_view text, std::size_t pos) {
    const std::size_t n = text.size();
    if (pos > n) return std::nullopt;
    std::size_t lt = std::string_view::npos;
    if (pos < n && text[pos] == '<') lt = pos;
    else if (pos > 0) lt = text.rfind('<', pos - 1);
    if (lt == std::string_view::npos || pos - lt > kTagReach) return std::nullopt;
    std::optional<HtmlTag> found = tagAt(text, lt);
    if (!found || pos > found->end) return std::nullopt;
    return found;
}

// Walks on from a start tag (whose element is the only one open) to where
// its element ends. An end tag of an element not open inside it belongs to
// one around it, so ends it too.
TagMatch endOfElement(std::string_view text, const HtmlTag& startTag) {
    TagMatch m;
    m.tag = {startTag.start, startTag.end};
    m.element = {startTag.start, text.size()};
    ElementStack stack;
    bool first = true, done = false;
    const auto closed = [&](const ElementStack::Closed& c) {
        if (c.element.start != startTag.start) return;
        m.element.end = c.end;
        if (c.byEndTag) m.partner = TextSpan{c.endTagStart, c.end};
        done = true;
    };
    HtmlWalk walk;
    walk.tag = [&](const HtmlTag& t) {
        if (first) {
            first = false;
            stack.start(t, 0);
            return;
        }
        if (!t.isEnd) {
            stack.start(t, 0, closed);
        } else if (!stack.end(t, closed)) {
            m.element.end = t.start;
            done = true;
        }
    };
    walk.stop = [&] { return done; };
    walkHtml(text, walk, startTag.start);
    return m;
}

} // namespace

std::optional<TagMatch> matchTag(std::string_view text, std::size_t pos) {
    const std::optional<HtmlTag> t = tagAround(text, pos);
    if (!t) return std::nullopt;
    if (!t->isEnd) {
        if (isVoidElement(t->name)) {
            TagMatch m;
            m.tag = m.element = {t->start, t->end};
            m.isVoid = true;
            return m;
        }
        return endOfElement(text, *t);
    }
    TagMatch m;
    m.tag = m.element = {t->start, t->end};
    m.isEnd = true;
    const auto open = openElementsAt(text, t->start);
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        if (it->name == t->name) {
            m.partner = TextSpan{it->start, it->tagEnd};
            m.element = {it->start, t->end};
            break;
        }
    return m;
}

std::optional<TextSpan> elementAround(std::string_view text, std::size_t pos) {
    if (const auto m = matchTag(text, pos)) return m->element;
    const auto open = openElementsAt(text, pos);
    if (open.empty()) return std::nullopt;
    const std::size_t start = open.back().start;
    // Its end: walk on from its start tag as if nothing came between, which
    // gives the same end as long as what came between is closed (it is:
    // the element is the innermost one open at the position).
    const std::optional<HtmlTag> first = tagAt(text, start);
    if (!first) return std::nullopt;
    return endOfElement(text, *first).element;
}

} // namespace tv
