#include "app/palette.h"

namespace tv {

ColorValue PaletteColor(std::uint8_t index) {
    static constexpr ColorValue kRgb[kPaletteSize][3] = {
        {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
        {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
        {192, 192, 192}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
        {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
    };
    const auto* rgb = kRgb[index < kPaletteSize ? index : 15];
    return rgb[0] | (rgb[1] << 8) | (rgb[2] << 16);
}

std::string ColorToHTML(ColorValue c) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out = "#";
    for (int v : {redOf(c), greenOf(c), blueOf(c)}) {
        out += kHex[v >> 4];
        out += kHex[v & 15];
    }
    return out;
}

ColorValue HTMLToColor(const std::string& text, ColorValue fallback) {
    if (text.size() != 7 || text[0] != '#') return fallback;
    auto digit = [&](char c) -> ColorValue {
        if (c >= '0' && c <= '9') return static_cast<ColorValue>(c - '0');
        if (c >= 'a' && c <= 'f') return static_cast<ColorValue>(c - 'a' + 10);
        if (c >= 'A' && c <= 'F') return static_cast<ColorValue>(c - 'A' + 10);
        throw ColorTextError("'" + text.substr(1) + "' is not a valid integer value");
    };
    ColorValue rgb[3];
    for (int i = 0; i < 3; ++i) rgb[i] = digit(text[1 + 2 * i]) * 16 + digit(text[2 + 2 * i]);
    return rgb[0] | (rgb[1] << 8) | (rgb[2] << 16);
}

} // namespace tv
