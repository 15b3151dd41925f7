// libFuzzer target: the settings file. Any text is read without fault; once
// read and written, the file's text comes back unchanged when it is read and
// written again, and so do the options read from it.
#include "base/settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
// A store that never touches the disk.
tv::IniStore nowhere() { return tv::IniStore("/nonexistent/Taviron.conf"); }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    tv::IniStore first = nowhere();
    first.parse(text);
    const std::string once = first.serialize();
    tv::IniStore second = nowhere();
    second.parse(once);
    if (second.serialize() != once) std::abort();

    // The options: read, written into an empty store, read and written again.
    const tv::Settings read = tv::ReadSettings(first);
    tv::IniStore written = nowhere();
    tv::WriteSettings(written, read);
    tv::IniStore again = nowhere();
    tv::WriteSettings(again, tv::ReadSettings(written));
    if (again.serialize() != written.serialize()) std::abort();
    return 0;
}
