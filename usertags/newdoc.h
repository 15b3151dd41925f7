// The skeleton of a new HTML document built from the new-document dialog.
#pragma once

#include <array>
#include <string>

namespace tv {

// The document type lines the dialog offers.
extern const std::array<const char*, 6> kDocTypeLines;

// What the dialog hands over; an empty text leaves its part out.
struct NewDocFields {
    std::string dtd, title, background, bground, text, link, vlink, alink;
};

// The document text: type line, head with the title, a BODY with the
// background image and colours, an empty line and the closing tags.
std::string NewDocumentText(const NewDocFields& f);

// Where the caret goes in a new skeleton: the empty line inside the body.
std::size_t newDocumentCaret(const std::string& text);

} // namespace tv
