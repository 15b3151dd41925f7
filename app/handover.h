// The messages a second start sends the first one: a 32-bit big-endian
// length and that many bytes (a UTF-8 file name, or nothing for "show
// yourself").
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tv {

std::string frameHandOver(std::string_view message);

enum class HandOverFrame {
    Incomplete,  // the buffer holds no whole message yet
    Message,     // one message was taken off the buffer's front
    TooLong,     // the next message claims more than `maxMessage` bytes
};

// Takes the first whole message off `buffer` into `message`. A sender that
// announces more than `maxMessage` bytes is refused before any of them are
// waited for.
HandOverFrame takeHandOver(std::string& buffer, std::string& message, std::size_t maxMessage);

} // namespace tv
