// Where the frame and its panes open, whatever the stored options say: the
// frame on the screen it opens on, the pane and grab bars within the frame.
#pragma once

#include <optional>

namespace tv {

struct Bounds {
    long long left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Bounds&) const = default;
};

// The frame's bounds. Stored ones are kept where they fit; a frame larger
// than the screen's available area is made as large as it, and one that lies
// off it is moved until at least 100 pixels of it, its title bar among them,
// are on it. Without stored bounds the frame takes 80% of the area, centred.
Bounds frameBounds(const std::optional<Bounds>& stored, const Bounds& available);

// A stored size of a part of a window kept between `least` and what the
// whole leaves after `rest` for the other parts.
int keepWithin(long long size, int least, long long whole, int rest);

} // namespace tv
