#pragma once
// The designer's pixel font: 127 glyphs of 6 x 8 pixels (glyph 94 is empty) and the mapping of
// Windows-1252 codes to glyphs. Glyphs 95 to 126 are the panel's special characters.

#include <array>
#include <cstddef>
#include <cstdint>

namespace zyn {

constexpr int GlyphWidth = 6;
constexpr int GlyphHeight = 8;
constexpr int GlyphCount = 127;
constexpr int GlyphStripWidth = 820;  // the strip the designer paints from holds every glyph side by side

// The 32 special characters in the order of their glyphs 95 to 126.
constexpr std::array<uint8_t, 32> SpecialCharCodes = {199, 252, 233, 226, 228, 224, 229, 231, 234, 235, 232,
                                                      239, 238, 236, 196, 197, 201, 230, 198, 244, 246, 242,
                                                      251, 249, 255, 214, 220, 162, 163, 165, 130, 131};

// The glyph of a character code, or -1 (the blank and every code not listed have none).
int GlyphOf(uint8_t code);

// Eight rows of a glyph; bit 5 of a row is its leftmost pixel, bit 0 the sixth.
const std::array<uint8_t, GlyphHeight>& GlyphRows(int glyph);

// True when the pixel (x 0..5, y 0..7) of the glyph is dark.
inline bool GlyphPixel(int glyph, int x, int y) {
  return (GlyphRows(glyph)[static_cast<std::size_t>(y)] >> (5 - x)) & 1;
}

}  // namespace zyn
