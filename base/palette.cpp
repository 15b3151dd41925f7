#include "base/palette.h"

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

bool IsDark(ColorValue c) {
    // Rec. 709 luma weights, in whole numbers: 2126 + 7152 + 722 = 10000.
    const long luma = 2126L * redOf(c) + 7152L * greenOf(c) + 722L * blueOf(c);
    return luma < 10000L * 128;
}

ColorValue EditorColor(std::uint8_t index, bool darkScheme) {
    if (!darkScheme) return PaletteColor(index);
    static constexpr ColorValue kDark[kPaletteSize] = {
        0xD8D8D8, 0x7070E0, 0x6BCB7C, 0x60C0D0, 0xF7A27A, 0xEA92C7, 0xC8C84F, 0x9A9A9A,
        0x707070, 0x727BFF, 0x2EE2A6, 0x74DBE6, 0xFFA06C, 0xC679FF, 0xFDE98B, 0x1E1E1E,
    };
    return kDark[index < kPaletteSize ? index : 15];
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
