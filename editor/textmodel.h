// Rules of the editor's text model: positions count bytes, a line break is
// CR LF and counts two, lines and columns count from 0.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tv {

// A line number clamped to 0 .. lineCount - 1 (0 for an empty text).
int clampLine(int line, int lineCount);
// A column clamped to 0 .. lineLength.
int clampColumn(int column, int lineLength);

// The document title: the text between the first "<TITLE>" and the first
// "</TITLE>" (found in any letter case), entities turned into characters.
// Empty when either is missing or the end comes first. A numeric entity too
// large to convert leaves the title as written.
std::string GetTitleText(std::string_view text);

// The title of a document kept through its changes. Looking for the tags
// walks the text up to them, the whole text when a page has none; after a
// change only the changed stretch is looked at whenever it cannot move the
// first tags.
class TitleTracker {
public:
    // The title of a text `length` bytes long after a change that left its
    // first `front` and last `back` bytes as they were (front = back = 0:
    // anything changed). `head(n)` gives the text's first n bytes; it is
    // asked only when the change may have moved the tags, and for the whole
    // text only when they are not near the change.
    const std::string& update(const std::function<std::string_view(std::size_t)>& head, std::size_t length,
                              std::size_t front, std::size_t back);
    const std::string& update(std::string_view text, std::size_t front, std::size_t back) {
        return update([text](std::size_t n) { return text.substr(0, n); }, text.size(), front, back);
    }
    const std::string& title() const { return title_; }

private:
    enum class State { Unknown, Found, NoOpen, NoClose, Other };
    State state_ = State::Unknown;
    std::size_t closeEnd_ = 0;  // where the first "</TITLE>" ends
    std::string title_;
};

} // namespace tv
