// The 16-colour palette that every colour setting indexes. A colour value
// holds red in the low byte, then green, then blue.
#pragma once

#include <cstdint>

namespace tv {

using ColorValue = std::uint32_t;

constexpr int kPaletteSize = 16;

// Index 15 and every index past the palette give white.
ColorValue PaletteColor(std::uint8_t index);

constexpr int redOf(ColorValue c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(ColorValue c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(ColorValue c) { return static_cast<int>((c >> 16) & 0xFF); }

// The editor options that a document window applies; the values stand at
// their defaults until the settings store reads the stored ones.
struct EditorSettings {
    std::uint8_t fontSize = 10;
    const char* fontName = "Courier New";
    std::uint8_t fontColor = 0;   // Black
    std::uint8_t backColor = 15;  // White
    bool wordWrap = true;
    bool statusBar = true;
    bool addExtension = true;     // the save dialog adds ".htm"
};

} // namespace tv
