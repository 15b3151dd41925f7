// libFuzzer target: reading a project record from any bytes must either
// succeed within the data or be refused, and what was read must write back
// to the same bytes.
#include "files/project.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tv::TProject root;
    std::size_t pos = 0;
    try {
        root.ReadFromStream(bytes, pos);
    } catch (const tv::ProjectError&) {
        return 0;
    }
    if (pos > bytes.size()) std::abort();
    // A record whose file list holds only CR LF-ended paths comes back the same.
    std::string again;
    root.WriteToStream(again);
    tv::TProject second;
    std::size_t pos2 = 0;
    second.ReadFromStream(again, pos2);
    std::string third;
    second.WriteToStream(third);
    if (third != again || pos2 != again.size()) std::abort();
    return 0;
}
