// libFuzzer target: the hand-over messages a second start sends. The first
// byte chooses how the rest arrives (the size of each piece the socket
// delivers); the messages taken must be the same however the bytes arrive,
// each within the bound, and framing them again must give back exactly the
// bytes they were taken from.
#include "app/handover.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr std::size_t kMax = 64;

struct Taken {
    std::vector<std::string> messages;
    std::size_t used = 0;
    bool refused = false;
};

Taken take(const std::string& bytes, std::size_t piece) {
    Taken t;
    std::string buffer;
    std::size_t fed = 0;
    while (fed < bytes.size() && !t.refused) {
        const std::size_t n = std::min(piece, bytes.size() - fed);
        buffer.append(bytes, fed, n);
        fed += n;
        for (;;) {
            std::string message;
            const tv::HandOverFrame got = tv::takeHandOver(buffer, message, kMax);
            if (got == tv::HandOverFrame::Incomplete) break;
            if (got == tv::HandOverFrame::TooLong) {
                t.refused = true;
                break;
            }
            if (message.size() > kMax) std::abort();
            t.used += 4 + message.size();
            t.messages.push_back(std::move(message));
        }
        if (buffer.size() > kMax + 4 + piece) std::abort();  // what waits is bounded
    }
    return t;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t piece = 1 + data[0] % 16;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const Taken whole = take(bytes, bytes.size() + 1);
    const Taken pieces = take(bytes, piece);
    if (whole.messages != pieces.messages || whole.refused != pieces.refused) std::abort();
    std::string again;
    for (const std::string& m : whole.messages) again += tv::frameHandOver(m);
    if (again != bytes.substr(0, whole.used)) std::abort();
    return 0;
}
