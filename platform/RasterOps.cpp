#include "platform/RasterOps.h"

#include <algorithm>

namespace zyn {
namespace {

inline std::uint32_t Apply(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
  std::uint32_t result = 0;
  for (int index = 0; index < 8; ++index) {
    if (!((code >> index) & 1)) continue;
    result |= ((index & 4) ? p : ~p) & ((index & 2) ? s : ~s) & ((index & 1) ? d : ~d);
  }
  return result & 0x00FFFFFF;
}

void EnsureRgb32(QImage& image) {
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
    image = image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

void BitBlt(QImage& target, int x, int y, int w, int h, const QImage& source, int sx, int sy, std::uint32_t rop,
            TColor pattern) {
  EnsureRgb32(target);
  const QImage src = source.isNull() ? QImage() : source.convertToFormat(QImage::Format_RGB32);
  const std::uint8_t code = static_cast<std::uint8_t>(rop >> 16);
  const std::uint32_t p = ToQColor(pattern).rgb() & 0x00FFFFFF;
  for (int j = 0; j < h; ++j) {
    const int ty = y + j, syy = sy + j;
    if (ty < 0 || ty >= target.height()) continue;
    auto* line = reinterpret_cast<QRgb*>(target.scanLine(ty));
    for (int i = 0; i < w; ++i) {
      const int tx = x + i, sxx = sx + i;
      if (tx < 0 || tx >= target.width()) continue;
      std::uint32_t s = 0;
      if (!src.isNull()) {
        if (sxx < 0 || syy < 0 || sxx >= src.width() || syy >= src.height()) continue;
        s = src.pixel(sxx, syy) & 0x00FFFFFF;
      }
      const std::uint32_t d = line[tx] & 0x00FFFFFF;
      line[tx] = 0xFF000000u | Apply(code, p, s, d);
    }
  }
}

void PatBlt(QImage& target, const TRect& r, std::uint32_t rop, TColor pattern) {
  BitBlt(target, r.Left, r.Top, r.Width(), r.Height(), QImage(), 0, 0, rop, pattern);
}

QImage MonochromeMask(const QImage& source, TColor background) {
  QImage mask(source.size(), QImage::Format_RGB32);
  const QRgb bg = ToQColor(background).rgb() & 0x00FFFFFF;
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x)
      mask.setPixel(x, y, ((source.pixel(x, y) & 0x00FFFFFF) == bg) ? 0xFFFFFFFFu : 0xFF000000u);
  return mask;
}

}  // namespace zyn
