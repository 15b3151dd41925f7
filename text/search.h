// Searching the text of one document.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tv {

// a-z as A-Z; nothing else changes.
std::string upperAscii(std::string_view s);

// The first occurrence of `f` in `text` at or after `from`; letters match
// either case unless `caseSensitive` ("CAFÉ" finds "café").
std::optional<int> findText(std::string_view text, int from, std::string_view f, bool caseSensitive);

// Whether a selection is a match of `f`.
bool selectionMatches(std::string_view sel, std::string_view f, bool caseSensitive);

// Replace All in one document: from the selection on to the end, each match
// of `find` is replaced; a selection that is itself a match is the first.
// The search goes on after each inserted replacement, so replacements are
// never searched again. The changed stretch of the old text is `from` ..
// `to`, and `text` is what takes its place.
struct ReplaceAllResult {
    int count = 0;
    int from = 0;
    int to = 0;
    std::string text;
    // Where the caret ends in the new text: after the last replacement, or
    // at the selection's start when nothing matched.
    int caret = 0;
};
ReplaceAllResult replaceAllFrom(std::string_view text, int selStart, int selLength, std::string_view find,
                                std::string_view replacement, bool caseSensitive);

// A go-to-line number as typed: the value, or the message of a text that is
// not a 32-bit integer.
struct LineNumber {
    std::optional<int> value;
    std::string error;
};
LineNumber parseLineNumber(const std::string& text);

} // namespace tv
