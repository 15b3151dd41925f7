// Fold levels of a page: each line's level is how many foldable blocks are
// open where it begins. A block is an element whose end tag is required
// (div, table, ul, style, script ... not p, li, td, whose end tag may be left
// out, nor br, img), or a comment. The walk goes a line at a time from the
// state its previous line left, so a change is folded again from its own
// line until the state where a line begins is what it was.
#pragma once

#include <cstdint>
#include <string_view>

namespace tv {

struct FoldState {
    enum Mode : std::uint8_t {
        Text,         // between tags
        Tag,          // inside a tag whose '>' is still to come
        ScriptTag,    // inside a script's start tag
        StyleTag,     // inside a style's start tag
        Comment,      // inside a comment
        Script,       // inside a script's text
        Style,        // inside a style sheet's text
    };
    int depth = 0;
    Mode mode = Text;
    bool operator==(const FoldState&) const = default;

    // As one integer (the component's line state) and back.
    int encode() const { return depth << 3 | static_cast<int>(mode); }
    static FoldState decode(int v) { return {v >> 3, static_cast<Mode>(v & 7)}; }
};

// The state at the end of a line (its text may include its line end) that
// begins in `state`.
FoldState foldLine(std::string_view line, FoldState state);

// Whether an element's blocks are counted: false for elements without an
// end tag and those whose end tag may be left out.
bool foldsElement(std::string_view lowerName);

} // namespace tv
