// Walking the tags of an HTML text as a browser's tokenizer reads them:
// attribute values in double, single or no quotes; a '>' inside a quoted
// value does not end a tag and a '<' inside a tag is an ordinary character;
// comments, the doctype and processing instructions hold no tags; the text
// of script, style, textarea, title and the like is text up to its own end
// tag. Time is in proportion to the text's length.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

struct HtmlAttribute {
    std::string_view name;   // as written
    std::string_view value;  // without its quotes; empty when it has none
    std::size_t nameStart = 0;
    std::size_t valueStart = 0;  // of the value itself, inside its quotes
    bool hasValue = false;
};

struct HtmlTag {
    std::string name;  // in lower case
    bool isEnd = false;
    std::size_t start = 0;    // its '<'
    std::size_t nameEnd = 0;  // just past its name
    std::size_t end = 0;      // just past its '>' (or the end of the text)
    std::vector<HtmlAttribute> attributes;  // of a start tag

    // The first attribute of that name (any letter case), or null.
    const HtmlAttribute* attribute(std::string_view lowerName) const;
};

// Elements whose content is text up to their own end tag.
bool isRawTextElement(std::string_view lowerName);
// Elements with no content and no end tag.
bool isVoidElement(std::string_view lowerName);
char asciiLower(char c);

struct HtmlWalk {
    // Each start and end tag, in order.
    std::function<void(const HtmlTag&)> tag;
    // The text of a raw-text element (after its start tag, up to its end tag).
    std::function<void(std::string_view element, std::size_t start, std::size_t end)> rawText;
    // A doctype or processing instruction: where it ends.
    std::function<void(std::size_t end)> declaration;
    // Asked after each tag: true ends the walk there.
    std::function<bool()> stop;
};
// Walks from `from`, which must not be inside a tag, a comment or raw text.
void walkHtml(std::string_view text, const HtmlWalk& walk, std::size_t from = 0);
// The start or end tag whose '<' is at `at`, or none (no tag begins there).
std::optional<HtmlTag> tagAt(std::string_view text, std::size_t at);

} // namespace tv
