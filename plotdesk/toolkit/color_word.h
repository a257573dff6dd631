#pragma once
// Colours travel through the settings and the menus as colour words: a 24-bit
// colour packed in an integer with red in the low byte, green in the next and
// blue in the third; the top byte is ignored on the way in and zero on the
// way out.

#include <QColor>
#include <cstdint>

namespace plotdesk::toolkit {

QColor colorFromWord(int32_t word);
int32_t colorWord(const QColor& color);

// The classic 16-colour palette (0 black ... 7 light grey, 8 grey ... 15
// white) as colour words; an index outside 0..15 gives black.
int32_t paletteColor(int index);

inline constexpr int kPaletteSize = 16;

}  // namespace plotdesk::toolkit
