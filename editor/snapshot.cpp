#include "editor/snapshot.h"

namespace tv {

namespace {
template <class Next>
std::vector<StyleRun> runsOf(std::size_t count, Next styleAt) {
    std::vector<StyleRun> runs;
    for (std::size_t i = 0; i < count; ++i) {
        const auto s = static_cast<std::uint8_t>(styleAt(i));
        if (!runs.empty() && runs.back().style == s) ++runs.back().length;
        else runs.push_back({s, 1});
    }
    runs.shrink_to_fit();
    return runs;
}
} // namespace

std::vector<StyleRun> encodeStyleRuns(std::string_view styles) {
    return runsOf(styles.size(), [&](std::size_t i) { return styles[i]; });
}

std::vector<StyleRun> encodeStyledText(std::string_view styled) {
    return runsOf(styled.size() / 2, [&](std::size_t i) { return styled[2 * i + 1]; });
}

std::string decodeStyleRuns(const std::vector<StyleRun>& runs) {
    std::string out;
    std::size_t total = 0;
    for (const StyleRun& r : runs) total += r.length;
    out.reserve(total);
    for (const StyleRun& r : runs) out.append(r.length, static_cast<char>(r.style));
    return out;
}

} // namespace tv
