// Searching the text of one document.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tv {

// a-z as A-Z; nothing else changes.
std::string upperAscii(std::string_view s);

// The first occurrence of `f` in `text` at or after `from`; letters a to z
// match either case unless `caseSensitive`.
std::optional<int> findText(std::string_view text, int from, std::string_view f, bool caseSensitive);

// Whether a selection is a match of `f`.
bool selectionMatches(std::string_view sel, std::string_view f, bool caseSensitive);

// A go-to-line number as typed: the value, or the message of a text that is
// not a 32-bit integer.
struct LineNumber {
    std::optional<int> value;
    std::string error;
};
LineNumber parseLineNumber(const std::string& text);

} // namespace tv
