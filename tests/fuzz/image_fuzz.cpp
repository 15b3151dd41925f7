// libFuzzer target: the GIF, PNG and JPEG size readers over any bytes. The
// first byte picks the reader; the rest is the file. A reader must end
// (no endless marker walk), stay within the data, and give a size only when
// its header says so.
#include "editor/imagesize.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const char* const kExtensions[] = {".gif", ".png", ".jpg", ".jpeg"};
    const std::string ext = kExtensions[data[0] % 4];
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    std::istringstream in(bytes);
    std::uint32_t width = 0, height = 0;
    tv::ReadImageSizeFrom(in, ext, width, height);
    // Only a file with the format's signature can give a size.
    if ((width || height) && ext == ".png" && bytes.compare(0, 4, "\x89PNG") != 0) std::abort();
    if ((width || height) && ext == ".gif" && bytes.compare(0, 3, "GIF") != 0) std::abort();
    if ((width || height) && ext[1] == 'j' && bytes.compare(0, 2, "\xFF\xD8") != 0) std::abort();
    return 0;
}
