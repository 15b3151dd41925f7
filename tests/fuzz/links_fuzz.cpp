// libFuzzer target: the reference scanner of the link check on any page
// and style sheet. Each reference and anchor lies within the text, and a
// reference's text is exactly what stands there.
#include "check/references.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const tv::PageReferences page = tv::scanPageReferences(text);
    for (const tv::PageReference& r : page.references)
        if (r.offset > text.size() || text.compare(r.offset, r.written.size(), r.written) != 0) std::abort();
    for (const tv::PageAnchor& a : page.anchors)
        if (a.offset >= text.size() || a.name.empty()) std::abort();
    std::vector<tv::PageReference> css;
    tv::scanCssReferences(text, 0, css);
    for (const tv::PageReference& r : css)
        if (r.offset > text.size() || text.compare(r.offset, r.written.size(), r.written) != 0) std::abort();
    if (tv::percentDecoded(text).size() > text.size()) std::abort();
    return 0;
}
