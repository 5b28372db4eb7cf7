#pragma once
// Raster operations on images as the platform's BitBlt knows them: each pixel of the target is a
// bitwise function of pattern (a solid brush colour), source and target, given by the ternary
// raster-operation code.

#include "platform/Colors.h"
#include "platform/Types.h"

#include <QImage>

#include <cstdint>

namespace zyn {

enum : std::uint32_t {
  SRCCOPY = 0x00CC0020,
  SRCPAINT = 0x00EE0086,
  SRCAND = 0x008800C6,
  SRCINVERT = 0x00660046,
  SRCERASE = 0x00440328,
  NOTSRCCOPY = 0x00330008,
  NOTSRCERASE = 0x001100A6,
  MERGECOPY = 0x00C000CA,
  MERGEPAINT = 0x00BB0226,
  PATCOPY = 0x00F00021,
  PATPAINT = 0x00FB0A09,
  PATINVERT = 0x005A0049,
  DSTINVERT = 0x00550009,
  BLACKNESS = 0x00000042,
  WHITENESS = 0x00FF0062
};

// Combines the w x h block of source at (sx, sy) into target at (x, y); the part outside either
// image is skipped. The pattern is the solid colour given. Both images are used as 32-bit RGB.
void BitBlt(QImage& target, int x, int y, int w, int h, const QImage& source, int sx, int sy, std::uint32_t rop,
            TColor pattern = clBlack);

// A target-only operation (DSTINVERT, BLACKNESS, WHITENESS, PATCOPY, PATINVERT ...).
void PatBlt(QImage& target, const TRect& r, std::uint32_t rop, TColor pattern = clBlack);

// A black-and-white mask of an image: white where the pixel equals the background colour, black
// elsewhere (the platform's colour to monochrome conversion).
QImage MonochromeMask(const QImage& source, TColor background);

}  // namespace zyn
