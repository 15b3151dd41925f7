// The page the preview pane shows: the document's text with each start tag
// numbered (an attribute the pane's own script finds), a base address so
// that relative addresses resolve against the document's folder, and the
// extent of each numbered element in the document, so that a place in the
// source and an element of the page can be told from each other.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

// The attribute each start tag gets in the page: data-taviron="N".
inline constexpr std::string_view kPreviewAttribute = "data-taviron";

struct PreviewElement {
    std::size_t start = 0;  // the '<' of its start tag in the document
    std::size_t end = 0;    // just past its end tag, or where it was closed
    int parent = -1;
};

struct PreviewPage {
    // The bytes of the page: UTF-8 with a byte order mark, which decides the
    // encoding before any charset the page declares (the text is decoded).
    std::string bytes;
    std::vector<PreviewElement> elements;  // by number, in document order
};

// The href of the page's first <base> element, or empty.
std::string pageBaseHref(std::string_view text);

// The page for a document's text. `baseHref` (already an absolute address)
// goes into a <base> element before every other element of the page; empty:
// none is added.
PreviewPage makePreviewPage(std::string_view text, std::string_view baseHref);

// The innermost element whose text holds the position (a byte offset of the
// document's text), or -1.
int previewElementAt(const PreviewPage& page, std::size_t pos);

} // namespace tv
