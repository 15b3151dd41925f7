// libFuzzer target: the tag finder's walk and the tag-text helpers on any
// text, selection and name. Every result must lie within its input.
#include "dialogs/tagreader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const int nameLength = data[0] % 8;
    const std::string all(reinterpret_cast<const char*>(data + 3), size - 3);
    const std::string name = all.substr(0, std::min<std::size_t>(nameLength, all.size()));
    const std::string text = all.substr(name.size());
    const int n = static_cast<int>(text.size());
    const int selStart = n ? data[1] % (n + 1) : 0;
    const int selLength = n - selStart ? data[2] % (n - selStart + 1) : 0;

    const tv::FoundTag f = tv::FindTagIn(text, selStart, selLength, name);
    if (f.selStart < 0 || f.selLength < 0 || f.selStart + f.selLength > n) std::abort();
    if (f.found && (f.selLength == 0 || text[static_cast<std::size_t>(f.selStart)] != '<')) std::abort();

    std::string tag = text;
    const std::string read = tv::ReadAttribute(tag, name);
    const std::string value = tv::ExtractAttribute(tag, name);
    if (value != read) std::abort();  // reading and taking out agree
    if (tag.size() + value.size() > text.size()) std::abort();
    if (text.find(value) == std::string::npos) std::abort();
    const std::size_t before = tag.size();
    const bool flag = tv::ExtractFlag(tag, name);
    if (flag && tag.size() != before - name.size() - 1) std::abort();
    tv::AppendAttribute(tag, name);
    if (!name.empty() && tag.find(name) == std::string::npos) std::abort();
    return 0;
}
