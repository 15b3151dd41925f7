#include "text/htmlwalk.h"

#include <algorithm>
#include <initializer_list>

namespace tv {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool oneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::size_t readName(std::string_view text, std::size_t at, std::string& name) {
    name.clear();
    while (at < text.size() && !isSpace(text[at]) && text[at] != '/' && text[at] != '>') name += asciiLower(text[at++]);
    return at;
}

// From just past a start tag's name to just past its '>' (or the end of the
// text), collecting its attributes.
std::size_t readAttributes(std::string_view text, std::size_t j, std::vector<HtmlAttribute>& out) {
    const std::size_t n = text.size();
    for (;;) {
        while (j < n && (isSpace(text[j]) || text[j] == '/')) ++j;
        if (j >= n) return n;
        if (text[j] == '>') return j + 1;
        HtmlAttribute a;
        a.nameStart = j++;  // the name's first character may be '='
        while (j < n && !isSpace(text[j]) && text[j] != '/' && text[j] != '>' && text[j] != '=') ++j;
        a.name = text.substr(a.nameStart, j - a.nameStart);
        std::size_t k = j;
        while (k < n && isSpace(text[k])) ++k;
        if (k < n && text[k] == '=') {
            j = k + 1;
            while (j < n && isSpace(text[j])) ++j;
            a.hasValue = true;
            if (j < n && (text[j] == '"' || text[j] == '\'')) {
                const std::size_t close = std::min(text.find(text[j], j + 1), n);
                a.valueStart = j + 1;
                a.value = text.substr(j + 1, close - j - 1);
                j = close == n ? n : close + 1;
            } else {
                a.valueStart = j;
                while (j < n && !isSpace(text[j]) && text[j] != '>') ++j;
                a.value = text.substr(a.valueStart, j - a.valueStart);
            }
        }
        out.push_back(a);
    }
}

// Where "</name" next begins, letter case aside, or the end of the text.
std::size_t rawTextEnd(std::string_view text, std::size_t from, std::string_view name) {
    for (std::size_t at = text.find("</", from); at != std::string_view::npos; at = text.find("</", at + 2)) {
        if (at + 2 + name.size() > text.size()) break;
        bool same = true;
        for (std::size_t k = 0; k < name.size() && same; ++k) same = asciiLower(text[at + 2 + k]) == name[k];
        const std::size_t after = at + 2 + name.size();
        if (same && (after == text.size() || isSpace(text[after]) || text[after] == '/' || text[after] == '>')) return at;
    }
    return text.size();
}

} // namespace

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool isRawTextElement(std::string_view name) {
    return oneOf(name, {"script", "style", "textarea", "title", "xmp", "noembed", "noframes", "plaintext", "iframe"});
}

bool isVoidElement(std::string_view name) {
    return oneOf(name, {"area", "base", "br", "col", "embed", "hr", "img", "input", "keygen", "link", "meta", "param",
                        "source", "track", "wbr"});
}

const HtmlAttribute* HtmlTag::attribute(std::string_view lowerName) const {
    for (const HtmlAttribute& a : attributes) {
        if (a.name.size() != lowerName.size()) continue;
        bool same = true;
        for (std::size_t k = 0; k < a.name.size() && same; ++k) same = asciiLower(a.name[k]) == lowerName[k];
        if (same) return &a;
    }
    return nullptr;
}

void walkHtml(std::string_view text, const HtmlWalk& walk, std::size_t from) {
    const std::size_t n = text.size();
    HtmlTag tag;
    std::size_t pos = from;
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
            if (walk.declaration) walk.declaration(pos);
        } else if (next == '/' && lt + 2 < n && isLetter(text[lt + 2])) {
            tag.isEnd = true;
            tag.start = lt;
            tag.nameEnd = readName(text, lt + 2, tag.name);
            tag.attributes.clear();
            const std::size_t gt = text.find('>', tag.nameEnd);
            tag.end = gt == std::string_view::npos ? n : gt + 1;
            pos = tag.end;
            if (walk.tag) walk.tag(tag);
            if (walk.stop && walk.stop()) return;
        } else if (isLetter(next)) {
            tag.isEnd = false;
            tag.start = lt;
            tag.nameEnd = readName(text, lt + 1, tag.name);
            tag.attributes.clear();
            tag.end = readAttributes(text, tag.nameEnd, tag.attributes);
            pos = tag.end;
            if (walk.tag) walk.tag(tag);
            if (walk.stop && walk.stop()) return;
            if (isRawTextElement(tag.name) && pos < n) {
                const std::size_t end = rawTextEnd(text, pos, tag.name);
                if (walk.rawText) walk.rawText(tag.name, pos, end);
                pos = end;
            }
        } else {
            pos = lt + 1;
        }
    }
}

std::optional<HtmlTag> tagAt(std::string_view text, std::size_t at) {
    std::optional<HtmlTag> found;
    HtmlWalk walk;
    walk.tag = [&found](const HtmlTag& t) { found = t; };
    walk.stop = [] { return true; };
    walkHtml(text, walk, at);
    if (found && found->start != at) found.reset();
    return found;
}

} // namespace tv
