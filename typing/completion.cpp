#include "typing/completion.h"

#include "text/encoding.h"
#include "text/htmlwalk.h"
#include "typing/htmlknowledge.h"

#include <algorithm>

namespace tv {
namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool isNameChar(char c) { return isLetter(c) || isDigit(c) || c == '-' || c == '_' || c == ':' || c == '.'; }

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = asciiLower(c);
    return out;
}

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool startsWithFolded(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (asciiLower(s[i]) != asciiLower(prefix[i])) return false;
    return true;
}

// The state at the end of a start tag's text ("<name ..." without its '>').
// Sets the context for an attribute or a value; false when the tag ended.
bool readOpenTag(std::string_view before, std::size_t lt, CompletionContext& c) {
    const std::size_t n = before.size();
    std::size_t j = lt + 1;
    while (j < n && !isSpace(before[j]) && before[j] != '/' && before[j] != '>') ++j;
    if (j >= n) return false;  // still typing the name
    c.element = lower(before.substr(lt + 1, j - lt - 1));
    for (;;) {
        while (j < n && (isSpace(before[j]) || before[j] == '/')) ++j;
        if (j >= n) {
            if (before[n - 1] == '/') return false;  // "<br/": the '>' comes next
            c.kind = CompletionKind::Attribute;
            c.start = n;
            return true;
        }
        if (before[j] == '>') return false;
        const std::size_t nameStart = j++;
        while (j < n && !isSpace(before[j]) && before[j] != '/' && before[j] != '>' && before[j] != '=') ++j;
        const std::string_view name = before.substr(nameStart, j - nameStart);
        if (j >= n) {
            c.kind = CompletionKind::Attribute;
            c.start = nameStart;
            c.typed = std::string(name);
            return true;
        }
        c.present.push_back(lower(name));
        std::size_t k = j;
        while (k < n && isSpace(before[k])) ++k;
        if (k >= n || before[k] != '=') continue;
        j = k + 1;
        while (j < n && isSpace(before[j])) ++j;
        if (j < n && (before[j] == '"' || before[j] == '\'')) {
            const std::size_t close = before.find(before[j], j + 1);
            if (close == std::string_view::npos) {
                c.attribute = lower(name);
                c.quote = before[j];
                c.kind = CompletionKind::AttributeValue;
                c.start = j + 1;
                c.typed = std::string(before.substr(j + 1));
                return true;
            }
            j = close + 1;
        } else {
            const std::size_t valueStart = j;
            while (j < n && !isSpace(before[j]) && before[j] != '>') ++j;
            if (j >= n) {
                c.attribute = lower(name);
                c.kind = CompletionKind::AttributeValue;
                c.start = valueStart;
                c.typed = std::string(before.substr(valueStart));
                return true;
            }
        }
    }
}

// The context at the end of a text no longer than the window.
CompletionContext contextInWindow(std::string_view before) {
    CompletionContext c;
    const std::size_t n = before.size();
    // Nothing is offered inside a comment.
    const std::size_t comment = before.rfind("<!--");
    if (comment != std::string_view::npos && before.find("-->", comment + 4) == std::string_view::npos)
        return c;
    std::size_t w = n;
    while (w > 0 && isNameChar(before[w - 1])) --w;
    const std::string_view word = before.substr(w);
    if (w > 0 && before[w - 1] == '&') {
        if (std::all_of(word.begin(), word.end(), [](char ch) { return isLetter(ch) || isDigit(ch); }) &&
            (word.empty() || isLetter(word[0]))) {
            c.kind = CompletionKind::Reference;
            c.start = w;
            c.typed = std::string(word);
        }
        return c;
    }
    if (word.empty() || isLetter(word[0])) {
        if (w > 0 && before[w - 1] == '<') {
            c.kind = CompletionKind::Element;
            c.start = w;
            c.typed = std::string(word);
            return c;
        }
        if (w > 1 && before[w - 1] == '/' && before[w - 2] == '<') {
            c.kind = CompletionKind::EndTag;
            c.start = w;
            c.typed = std::string(word);
            return c;
        }
    }
    // Inside a start tag: from its '<', no '>' outside quotes up to the caret.
    const std::size_t lt = before.rfind('<');
    if (lt == std::string_view::npos || lt + 1 >= n || !isLetter(before[lt + 1])) return c;
    CompletionContext inTag;
    if (readOpenTag(before, lt, inTag)) return inTag;
    return c;
}

} // namespace

CompletionContext completionContext(std::string_view before) {
    const std::size_t base = before.size() > kCompletionWindow ? before.size() - kCompletionWindow : 0;
    CompletionContext c = contextInWindow(before.substr(base));
    c.start += base;
    return c;
}

std::vector<CompletionItem> completionItems(const CompletionContext& c, const CompletionSources& sources) {
    std::vector<CompletionItem> items;
    const bool upperCase = !c.typed.empty() && c.typed[0] >= 'A' && c.typed[0] <= 'Z';
    auto cased = [&](std::string_view name) { return upperCase ? upper(name) : std::string(name); };
    auto offer = [&](std::string_view name, std::string inserted, std::size_t caretBack = 0) {
        if (!startsWithFolded(name, c.typed)) return;
        items.push_back({std::string(name), std::move(inserted), caretBack});
    };
    switch (c.kind) {
    case CompletionKind::None:
        break;
    case CompletionKind::Element:
        for (const ElementInfo& e : htmlElements()) offer(cased(e.name), cased(e.name));
        for (const std::string& own : sources.ownElements)
            if (!htmlElement(lower(own))) offer(own, own);
        break;
    case CompletionKind::EndTag:
        for (const std::string& open : sources.openElements) {
            const std::string name = c.typed.empty() ? open : (upperCase ? upper(open) : lower(open));
            offer(name, name + ">");
        }
        break;
    case CompletionKind::Attribute:
        for (std::string_view a : attributesOf(c.element))
            if (std::find(c.present.begin(), c.present.end(), a) == c.present.end())
                offer(cased(a), cased(a) + "=\"\"", 1);
        break;
    case CompletionKind::AttributeValue:
        for (std::string_view v : attributeValues(c.element, c.attribute)) offer(v, std::string(v));
        break;
    case CompletionKind::Reference: {
        // Those written as typed first, then the rest of any letter case.
        for (const bool exact : {true, false})
            for (const NamedReference& r : namedReferences()) {
                if (exact != (r.name.substr(0, c.typed.size()) == c.typed)) continue;
                std::string shown = std::string(r.name) + "  ";
                shown += sources.windows1252 ? limitToEncoding(r.text, FileEncoding::Windows1252) : std::string(r.text);
                offer(shown, std::string(r.name) + ";");
            }
        break;
    }
    }
    return items;
}

} // namespace tv
