// Completion of what is typed in a page: what the text before the caret asks
// for (an element's name after "<", the name of an open element after "</",
// an attribute inside a start tag or one of its known values inside its
// quotes, a character reference after "&"), and the items offered for it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

enum class CompletionKind { None, Element, EndTag, Attribute, AttributeValue, Reference };

struct CompletionContext {
    CompletionKind kind = CompletionKind::None;
    std::size_t start = 0;  // where the word being typed begins (it is replaced on acceptance)
    std::string typed;      // the word typed so far
    std::string element;    // Attribute, AttributeValue: the tag's element, lower case
    std::string attribute;  // AttributeValue: the attribute, lower case
    std::vector<std::string> present;  // Attribute: the attributes the tag has already, lower case
    char quote = 0;         // AttributeValue: the quote the value began with, if any
};

// How far back from the caret the context is looked for.
inline constexpr std::size_t kCompletionWindow = 4096;

// The context at the end of `before`, the text before the caret (only its
// last kCompletionWindow bytes are looked at). Positions count from the start
// of `before`.
CompletionContext completionContext(std::string_view before);

struct CompletionItem {
    std::string shown;     // in the list
    std::string inserted;  // replaces the typed word
    std::size_t caretBack = 0;  // the caret ends this many bytes before the end of `inserted`
};

struct CompletionSources {
    // EndTag: the names of the elements open at the "</", innermost first, as written.
    std::vector<std::string> openElements;
    // Element: names of the user's own tags, offered beside the standard's.
    std::vector<std::string> ownElements;
    // Reference: a character the page's code page lacks is shown as its
    // numeric reference.
    bool windows1252 = false;
};

// The items for a context, those that begin with the typed word (any letter
// case) first in the order they have; an empty list when nothing fits.
std::vector<CompletionItem> completionItems(const CompletionContext& context, const CompletionSources& sources);

} // namespace tv
