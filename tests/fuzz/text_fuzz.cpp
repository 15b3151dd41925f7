// libFuzzer target: entity translation both ways, URL decoding and the
// colouring walk, on any bytes. The sanitizers catch memory faults; the
// checks below catch wrong results that would corrupt a document, and a
// walk that does not end.
#include "editor/colouring.h"
#include "text/entities.h"
#include "tools/texttools.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t op = data[0];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string encoded = tv::TranslateEntities(text, tv::EntityDirection::ToEntities);
    for (char c : encoded)
        if (static_cast<unsigned char>(c) >= 0x80) std::abort();  // entities are ASCII
    try {
        const std::string decoded = tv::TranslateEntities(text, tv::EntityDirection::ToCharacters);
        if (decoded.size() > text.size()) std::abort();  // decoding never grows a text
    } catch (const tv::EntityNumberError&) {
    }
    const std::string url = tv::UrlDecode(text, op & 1, (op >> 1) % 3);
    if ((op >> 1) % 3 != 0 && url.size() > text.size()) std::abort();  // one-byte separators
    // The colouring walk ends, and stays within the text: at most a tag
    // and a plain stretch for each "<".
    const int n = static_cast<int>(text.size());
    const int start = n ? op % (n + 1) : 0;
    const tv::WalkStop stop = static_cast<tv::WalkStop>((op >> 3) % 3);
    const auto stretches = tv::ColorWalk(text, start, stop, (op >> 5) * n / 8);
    if (stretches.size() > 2 * text.size() + 2) std::abort();
    for (const tv::ColorStretch& s : stretches)
        if (s.start < 0 || s.length < 0 || s.start + s.length > n) std::abort();
    return 0;
}
