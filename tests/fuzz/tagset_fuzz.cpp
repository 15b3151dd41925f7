// libFuzzer target: the user tag-set files. Any text is read without fault,
// and a set once read writes back to a text that reads as the same set.
#include "usertags/customtags.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string title;
    std::vector<tv::UserTag> tags;
    tv::parseTagSet(text, title, tags);
    const std::string written = tv::serializeTagSet(title, tags);
    std::string title2;
    std::vector<tv::UserTag> tags2;
    tv::parseTagSet(written, title2, tags2);
    if (title2 != title || tags2.size() != tags.size()) std::abort();
    for (std::size_t i = 0; i < tags.size(); ++i)
        if (tags2[i].name != tags[i].name || tags2[i].start != tags[i].start || tags2[i].close != tags[i].close)
            std::abort();
    // Line breaks coded for the file come back as they were ("%0A" typed
    // as such is read as a line break: the files have always said so).
    if (text.find('%') == std::string::npos && tv::decodeLineBreaks(tv::codeLineBreaks(text)) != text)
        std::abort();
    return 0;
}
