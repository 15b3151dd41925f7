// Elements as a browser's parser nests them: a start tag may end open
// elements whose end tag is optional (a <p> ends at the next <div>, an <li>
// at the next <li>), an end tag ends the elements opened inside it, and an
// end tag that matches no open element is passed over.
#pragma once

#include "text/htmlwalk.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

// Whether a start tag of `next` ends an open `open` that has no end tag.
bool startTagEnds(std::string_view open, std::string_view next);

class ElementStack {
public:
    struct Open {
        std::string name;       // lower case
        std::size_t start = 0;  // its start tag's '<'
        std::size_t tagEnd = 0; // just past its start tag
        int id = -1;            // the caller's number for it
    };
    struct Closed {
        Open element;
        std::size_t end = 0;         // just past its end tag, or where it was ended
        std::size_t endTagStart = 0; // its end tag's '<' (byEndTag only)
        bool byEndTag = false;       // ended by an end tag of its own name
    };
    using OnClosed = std::function<void(const Closed&)>;

    // A start tag: the open elements it ends, then itself (unless void).
    void start(const HtmlTag& tag, int id, const OnClosed& closed = {});
    // An end tag: the element of its name and those opened inside it end.
    // Returns false when no element of its name is open (the tag is stray).
    bool end(const HtmlTag& tag, const OnClosed& closed = {});
    // The text ended at `textEnd`: every open element ends there.
    void finish(std::size_t textEnd, const OnClosed& closed = {});
    const std::vector<Open>& open() const { return open_; }

private:
    void pop(std::size_t at, const HtmlTag* endTag, const OnClosed& closed);
    std::vector<Open> open_;
};

// The elements open at `pos` (walking the text from its start), outermost
// first.
std::vector<ElementStack::Open> openElementsAt(std::string_view text, std::size_t pos);

} // namespace tv
