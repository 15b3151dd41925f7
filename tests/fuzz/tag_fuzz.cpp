// libFuzzer target: the tag finder's walk and the tag-text helpers on any
// text, selection and name. Every result must lie within its input, and a
// tag found by an element dialog and written back unchanged keeps the text
// around it and every attribute's value as a browser reads it.
#include "dialogs/headtags.h"
#include "dialogs/objecttags.h"
#include "dialogs/tagreader.h"

#include <map>
#include <optional>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return out;
}

// Attribute values as compared after a rewrite: "&quot;" is how a value
// holding both kinds of quote is written.
std::string decoded(std::string v) {
    for (std::size_t at; (at = v.find("&quot;")) != std::string::npos;) v.replace(at, 6, "\"");
    return v;
}

std::map<std::string, std::optional<std::string>> firstValues(std::string_view text, std::size_t at) {
    std::map<std::string, std::optional<std::string>> out;
    for (const tv::TagAttribute& a : tv::scanTag(text, at).attributes) {
        std::optional<std::string> v;
        if (a.hasValue) v = decoded(std::string(a.valueIn(text)));
        out.emplace(upper(a.nameIn(text)), v);
    }
    return out;
}

void roundTrip(const std::string& text, int caret, const tv::TagSpec& spec) {
    const tv::FoundTag f = tv::FindTagIn(text, caret, 0, spec.element);
    if (!f.found) return;
    const auto at = static_cast<std::size_t>(f.selStart);
    std::string tag = text.substr(at, static_cast<std::size_t>(f.selLength));
    tv::Fields fields;
    tv::readTagFields(spec, tag, fields);
    const std::string after = text.substr(0, at) + tv::buildTag(spec, tag, fields) + text.substr(at + f.selLength);
    const auto before = firstValues(text, at);
    auto now = firstValues(after, at);
    for (const auto& [name, value] : before) {
        const auto it = now.find(name);
        if (it == now.end()) std::abort();
        if (value && it->second && *value != *it->second) std::abort();
    }
}

} // namespace

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
    if (flag && tag.size() > before) std::abort();
    tv::AppendAttribute(tag, name);
    if (!name.empty() && tag.find(name) == std::string::npos) std::abort();

    const tv::TagSpec* specs[] = {&tv::tableSpec(), &tv::tableDataSpec(), &tv::imageSpec(), &tv::anchorSpec(),
                                  &tv::ruleSpec(), &tv::fontSpec(), &tv::formSpec(), &tv::bodySpec()};
    roundTrip(text, selStart, *specs[data[0] / 8 % 8]);
    return 0;
}
