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

} // namespace tv
