#include "typing/folding.h"

#include "text/htmlwalk.h"

#include <algorithm>
#include <initializer_list>
#include <string>

namespace tv {
namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool endsName(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '/' || c == '>'; }

// Where the raw text of `element` ends in the line: its "</element", any case.
std::size_t rawEnd(std::string_view line, std::size_t from, std::string_view element) {
    for (std::size_t at = line.find("</", from); at != std::string_view::npos; at = line.find("</", at + 2)) {
        if (at + 2 + element.size() > line.size()) return std::string_view::npos;
        bool same = true;
        for (std::size_t k = 0; k < element.size() && same; ++k) same = asciiLower(line[at + 2 + k]) == element[k];
        if (same) return at;
    }
    return std::string_view::npos;
}

} // namespace

bool foldsElement(std::string_view name) {
    static constexpr std::string_view optionalEnd[] = {"body",  "caption", "colgroup", "dd",    "dt", "head",
                                                       "html",  "li",      "optgroup", "option", "p",  "rp",
                                                       "rt",    "tbody",   "td",       "tfoot", "th", "thead", "tr"};
    if (isVoidElement(name)) return false;
    return std::find(std::begin(optionalEnd), std::end(optionalEnd), name) == std::end(optionalEnd);
}

FoldState foldLine(std::string_view line, FoldState s) {
    const std::size_t n = line.size();
    std::size_t i = 0;
    std::string name;
    while (i < n) {
        switch (s.mode) {
        case FoldState::Comment: {
            const std::size_t close = line.find("-->", i);
            if (close == std::string_view::npos) return s;
            i = close + 3;
            s.mode = FoldState::Text;
            s.depth = std::max(0, s.depth - 1);
            break;
        }
        case FoldState::Script:
        case FoldState::Style: {
            const std::size_t close = rawEnd(line, i, s.mode == FoldState::Script ? "script" : "style");
            if (close == std::string_view::npos) return s;
            i = close;
            s.mode = FoldState::Text;
            break;
        }
        case FoldState::Tag:
        case FoldState::ScriptTag:
        case FoldState::StyleTag: {
            const std::size_t gt = line.find('>', i);
            if (gt == std::string_view::npos) return s;
            i = gt + 1;
            s.mode = s.mode == FoldState::ScriptTag ? FoldState::Script
                     : s.mode == FoldState::StyleTag ? FoldState::Style
                                                     : FoldState::Text;
            break;
        }
        case FoldState::Text: {
            const std::size_t lt = line.find('<', i);
            if (lt == std::string_view::npos || lt + 1 >= n) return s;
            if (line.compare(lt, 4, "<!--") == 0) {
                s.mode = FoldState::Comment;
                ++s.depth;
                i = lt + 4;
                break;
            }
            const bool end = line[lt + 1] == '/';
            std::size_t j = lt + (end ? 2 : 1);
            if (j >= n || !isLetter(line[j])) {
                i = lt + 1;
                break;
            }
            name.clear();
            while (j < n && !endsName(line[j])) name += asciiLower(line[j++]);
            if (foldsElement(name)) s.depth = end ? std::max(0, s.depth - 1) : s.depth + 1;
            s.mode = end                 ? FoldState::Tag
                     : name == "script" ? FoldState::ScriptTag
                     : name == "style"  ? FoldState::StyleTag
                                        : FoldState::Tag;
            i = j;
            break;
        }
        }
    }
    return s;
}

} // namespace tv
