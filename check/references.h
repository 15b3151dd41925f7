// The references of a page and of a style sheet, as a browser finds them:
// href, src, srcset, action, data, poster and background attributes, the
// url() and @import of style sheets, style elements and style attributes,
// with comments and script text passed over. Also the page's anchors (ids,
// and names of <a>) and its <base href>.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

struct PageReference {
    std::string written;  // exactly as written in the page
    std::string url;      // entities decoded, blanks around it dropped
    std::size_t offset = 0;  // where `written` begins in the text
};

struct PageAnchor {
    std::string name;
    std::size_t offset = 0;
    bool isId = true;  // false: the name of an <a>
};

struct PageReferences {
    std::vector<PageReference> references;
    std::vector<PageAnchor> anchors;
    bool hasBase = false;
    std::string base;  // the first <base href>, entities decoded
};

PageReferences scanPageReferences(std::string_view html);
// The url() and @import references of a style sheet's text; offsets count
// from `offset`.
void scanCssReferences(std::string_view css, std::size_t offset, std::vector<PageReference>& out);

// "%20" and the like turned into their bytes; a '%' without two hex digits
// stays as written.
std::string percentDecoded(std::string_view s);

} // namespace tv
