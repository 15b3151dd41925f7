#include "editor/snapshot.h"

#include <algorithm>

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

std::vector<StyleRun> spliceStyleRuns(const std::vector<StyleRun>& old, std::size_t front, std::size_t back,
                                      const std::vector<StyleRun>& middle) {
    std::vector<StyleRun> out;
    out.reserve(old.size() + middle.size() + 2);
    auto add = [&out](StyleRun r) {
        if (r.length == 0) return;
        if (!out.empty() && out.back().style == r.style) out.back().length += r.length;
        else out.push_back(r);
    };
    // Whole runs are copied in one piece; only the runs cut by the change,
    // and the joins, are looked at one by one.
    std::size_t i = 0, pos = 0;
    while (i < old.size() && pos + old[i].length <= front) pos += old[i++].length;
    out.insert(out.end(), old.begin(), old.begin() + static_cast<std::ptrdiff_t>(i));
    if (front > pos && i < old.size()) add({old[i].style, static_cast<std::uint32_t>(front - pos)});
    for (const StyleRun& r : middle) add(r);
    std::size_t j = old.size(), tail = 0;
    while (j > 0 && tail + old[j - 1].length <= back) tail += old[--j].length;
    if (back > tail && j > 0) add({old[j - 1].style, static_cast<std::uint32_t>(back - tail)});
    if (j < old.size()) {
        add(old[j]);
        out.insert(out.end(), old.begin() + static_cast<std::ptrdiff_t>(j) + 1, old.end());
    }
    return out;
}

} // namespace tv
