#include "app/handover.h"

#include <cstdint>

namespace tv {

std::string frameHandOver(std::string_view message) {
    const auto n = static_cast<std::uint32_t>(message.size());
    std::string out{static_cast<char>(n >> 24), static_cast<char>(n >> 16), static_cast<char>(n >> 8),
                    static_cast<char>(n)};
    out.append(message);
    return out;
}

HandOverFrame takeHandOver(std::string& buffer, std::string& message, std::size_t maxMessage) {
    if (buffer.size() < 4) return HandOverFrame::Incomplete;
    std::uint32_t n = 0;
    for (int i = 0; i < 4; ++i) n = (n << 8) | static_cast<unsigned char>(buffer[static_cast<std::size_t>(i)]);
    if (n > maxMessage) return HandOverFrame::TooLong;
    if (buffer.size() - 4 < n) return HandOverFrame::Incomplete;
    message.assign(buffer, 4, n);
    buffer.erase(0, 4 + static_cast<std::size_t>(n));
    return HandOverFrame::Message;
}

} // namespace tv
