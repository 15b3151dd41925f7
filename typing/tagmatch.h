// The partner of a tag, paired as a browser pairs them: a start tag with the
// end tag that ends its element, an end tag with the start tag of the open
// element it ends. Elements without an end tag (br, img, ...) need none; an
// element whose end tag may be left out (p, li, td ...) and is ended by
// another tag has none, nor has a stray end tag.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tv {

struct TextSpan {
    std::size_t start = 0;
    std::size_t end = 0;
    bool operator==(const TextSpan&) const = default;
};

struct TagMatch {
    TextSpan tag;      // the tag at the position, '<' to just past '>'
    bool isEnd = false;
    bool isVoid = false;             // an element of one tag: needs no partner
    std::optional<TextSpan> partner; // the other tag of its element
    TextSpan element;  // from the start tag to the end of the end tag, or to where the element ended
};

// The tag at a position: the caret anywhere from before its '<' to just
// after its '>'; null when there is none.
std::optional<TagMatch> matchTag(std::string_view text, std::size_t pos);

// The innermost element holding a position: the element of the tag there,
// else the innermost element open around it.
std::optional<TextSpan> elementAround(std::string_view text, std::size_t pos);

} // namespace tv
