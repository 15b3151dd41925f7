#include "app/bounds.h"

#include <algorithm>

namespace tv {

Bounds frameBounds(const std::optional<Bounds>& stored, const Bounds& a) {
    if (!stored) {
        const long long w = a.width * 4 / 5, h = a.height * 4 / 5;
        return {a.left + (a.width - w) / 2, a.top + (a.height - h) / 2, w, h};
    }
    constexpr long long kVisible = 100;
    Bounds b = *stored;
    b.width = std::clamp(b.width, std::min(kVisible, a.width), a.width);
    b.height = std::clamp(b.height, std::min(kVisible, a.height), a.height);
    // At least kVisible pixels across, and the top edge (the title bar) on the area.
    b.left = std::clamp(b.left, a.left - b.width + std::min(kVisible, b.width), a.left + a.width - std::min(kVisible, b.width));
    b.top = std::clamp(b.top, a.top, a.top + a.height - std::min(kVisible, b.height));
    return b;
}

int keepWithin(long long size, int least, long long whole, int rest) {
    const long long most = std::max<long long>(least, whole - rest);
    return static_cast<int>(std::clamp<long long>(size, least, most));
}

} // namespace tv
