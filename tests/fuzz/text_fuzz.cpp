// libFuzzer target: entity translation both ways and URL decoding, on any
// bytes. The sanitizers catch memory faults; the checks below catch wrong
// results that would corrupt a document.
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
    return 0;
}
