// libFuzzer target: the include walk over a small in-memory file system.
// The input is split at NUL bytes: the page, then the texts of the files
// "a", "b" and "c". The walk must end, either with a text or a message,
// and leave the page untouched when it fails.
#include "tools/macros.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string all(reinterpret_cast<const char*>(data), size);
    std::string parts[4];
    std::size_t from = 0;
    for (int i = 0; i < 4 && from <= all.size(); ++i) {
        std::size_t end = all.find('\0', from);
        if (end == std::string::npos) end = all.size();
        parts[i] = all.substr(from, end - from);
        from = end + 1;
    }
    std::map<std::string, std::string> files{{"/p/a", parts[1]}, {"/p/b", parts[2]}, {"/p/c", parts[3]}};
    tv::MacroContext context;
    context.programFolder = "/p";
    context.now = [] { return tv::DateTime{}; };
    context.readFile = [&files](const std::string& name) -> std::optional<std::string> {
        const auto it = files.find(name);
        if (it == files.end()) return std::nullopt;
        return it->second;
    };
    std::string text = parts[0];
    const std::string before = text;
    try {
        tv::ExpandIncludes(text, (size & 1) != 0, context);
    } catch (const tv::MacroError&) {
        if (text != before) std::abort();
    }
    return 0;
}
