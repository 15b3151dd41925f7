// libFuzzer target: the include walk over a small in-memory file system.
// The input is split at NUL bytes: the page, then the texts of the files
// "a" to "h", which may include each other any number of times, so that
// expansion without end is within reach. The walk must end, either with a
// text that grew by no more than the bound or with a message that leaves
// the page untouched, and must read each file at most once.
#include "tools/macros.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr int kFiles = 8;
    const std::string all(reinterpret_cast<const char*>(data), size);
    std::string parts[1 + kFiles];
    std::size_t from = 0;
    for (int i = 0; i <= kFiles && from <= all.size(); ++i) {
        std::size_t end = all.find('\0', from);
        if (end == std::string::npos) end = all.size();
        parts[i] = all.substr(from, end - from);
        from = end + 1;
    }
    std::map<std::string, std::string> files;
    for (int i = 0; i < kFiles; ++i) files["/p/" + std::string(1, char('a' + i))] = parts[1 + i];
    std::map<std::string, int> reads;
    tv::MacroContext context;
    context.programFolder = "/p";
    context.maxExpansion = std::size_t{1} << 20;  // small, so that each run stays quick
    context.now = [] { return tv::DateTime{}; };
    context.readFile = [&](const std::string& name) -> std::optional<std::string> {
        if (++reads[name] > 1) std::abort();
        const auto it = files.find(name);
        if (it == files.end()) return std::nullopt;
        return it->second;
    };
    std::string text = parts[0];
    const std::string before = text;
    try {
        tv::ExpandIncludes(text, (size & 1) != 0, context);
        if (text.size() > before.size() + context.maxExpansion) std::abort();
    } catch (const tv::MacroError&) {
        if (text != before) std::abort();
    }
    return 0;
}
