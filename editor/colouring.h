// Syntax colouring: there is no parser. The walk goes from one "<" to the
// next ">" and takes a tag's kind from its first characters; text between
// tags gets the font colour.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tv {

enum class TagKind : std::uint8_t { Plain, Tag, Anchor, Image, Comment };

struct ColorStretch {
    int start;
    int length;
    TagKind kind;
    bool operator==(const ColorStretch&) const = default;
};

// Where a walk stops: at the end of the text, at the first tag that starts
// after a position, or after two tags.
enum class WalkStop { Document, Range, AroundCaret };

// The kind of a tag text ("<" up to and including ">"), tested in this
// order on its ASCII upper-case form: "<A " or "</A>" anchor, "<IMG " image,
// "<!--" comment, anything else an ordinary tag.
TagKind kindOfTag(std::string_view tag);

// The start of the tag before the caret: the largest i with 0 < i < caret,
// text[i] = "<" and text[i - 1] not "<"; 0 when there is none.
int TagStartBefore(std::string_view text, int caret);

// True when the nearest "<" or ">" before the caret is a "<".
bool CaretInTagAt(std::string_view text, int caret);

// The stretches a walk from `start` colours, in the order it colours them;
// a later stretch wins where two overlap (a tag at position 1 is coloured
// from position 0). `endPos` is the range end for WalkStop::Range.
std::vector<ColorStretch> ColorWalk(std::string_view text, int start, WalkStop stop, int endPos = 0);

// The palette index of each kind.
struct KindColors {
    std::uint8_t plain, tag, anchor, image, comment;
    std::uint8_t of(TagKind k) const;
};

// One colour byte per character from `from` up to the end of the last
// stretch, as the walk leaves them.
std::string colorBytes(const std::vector<ColorStretch>& stretches, const KindColors& colors, int& from);
// The same bytes for the characters from `lo` up to `hi` only, so that a
// long walk is handed over a window at a time.
std::string colorBytes(const std::vector<ColorStretch>& stretches, const KindColors& colors, int lo, int hi);
// Where the walk's stretches begin and end.
std::pair<int, int> colorSpan(const std::vector<ColorStretch>& stretches);
// The colours a walk over the whole text from `start` gives, handed to `put`
// a stretch of at most about `window` characters at a time, in order: a
// long page never has all its stretches or colours in memory at once.
void colorDocumentInPieces(std::string_view text, int start, const KindColors& colors, int window,
                           const std::function<void(int from, std::string_view bytes)>& put);

} // namespace tv
