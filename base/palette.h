// The 16-colour palette that every colour setting indexes. A colour value
// holds red in the low byte, then green, then blue.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tv {

using ColorValue = std::uint32_t;

constexpr int kPaletteSize = 16;

// Index 15 and every index past the palette give white.
ColorValue PaletteColor(std::uint8_t index);

constexpr int redOf(ColorValue c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(ColorValue c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(ColorValue c) { return static_cast<int>((c >> 16) & 0xFF); }

// Whether text on this colour should be light: its luminance is under half.
bool IsDark(ColorValue c);

// The colour the editor paints a palette index with. The dark scheme gives
// each index an equivalent that reads well on a dark background: index 15,
// the default background, turns nearly black and index 0, the default text,
// light grey.
ColorValue EditorColor(std::uint8_t index, bool darkScheme);

// "#" and six upper-case hexadecimal digits: red, green, blue.
std::string ColorToHTML(ColorValue c);

// A text that does not parse as a colour.
class ColorTextError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The colour of "#RRGGBB". An empty text, one without "#" first, or one not
// exactly 7 characters long gives the fallback; other characters than
// hexadecimal digits throw ColorTextError.
ColorValue HTMLToColor(const std::string& text, ColorValue fallback);

} // namespace tv
