#include "toolkit/color_word.h"

#include <array>

namespace plotdesk::toolkit {
namespace {

constexpr int32_t word(int red, int green, int blue) { return red | (green << 8) | (blue << 16); }

constexpr std::array<int32_t, kPaletteSize> kPalette{
    word(0, 0, 0),       word(0, 0, 128),   word(0, 128, 0),   word(0, 128, 128),
    word(128, 0, 0),     word(128, 0, 128), word(128, 128, 0), word(192, 192, 192),
    word(128, 128, 128), word(0, 0, 255),   word(0, 255, 0),   word(0, 255, 255),
    word(255, 0, 0),     word(255, 0, 255), word(255, 255, 0), word(255, 255, 255),
};

}  // namespace

QColor colorFromWord(int32_t colorWord) {
    return QColor(colorWord & 0xFF, (colorWord >> 8) & 0xFF, (colorWord >> 16) & 0xFF);
}

int32_t colorWord(const QColor& color) {
    const QColor rgb = color.toRgb();
    return word(rgb.red(), rgb.green(), rgb.blue());
}

int32_t paletteColor(int index) {
    return index >= 0 && index < kPaletteSize ? kPalette[static_cast<size_t>(index)] : kPalette[0];
}

}  // namespace plotdesk::toolkit
