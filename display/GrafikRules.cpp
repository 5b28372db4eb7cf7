#include "display/GrafikRules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zyn {

int SnapToGrid(int value, int step) {
  if (step <= 1) return value;
  return static_cast<int>(std::nearbyint(static_cast<double>(value) / step)) * step;  // halves to even
}

void ViewToDocument(int vx, int vy, int zoom, int scrollX, int scrollY, int step, bool snap, int& dx, int& dy) {
  zoom = std::max(zoom, 1);
  if (zoom == 1 && snap) {
    vx = SnapToGrid(vx, step);
    vy = SnapToGrid(vy, step);
  }
  dx = vx / zoom + scrollX;
  dy = vy / zoom + scrollY;
}

bool NewPictureSize(const std::string& widthText, const std::string& heightText, int& width, int& height) {
  if (widthText.empty() || heightText.empty()) return false;
  auto number = [](const std::string& text, int& value) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0') return false;
    value = static_cast<int>(std::clamp<long>(v, -100000, 100000));
    return true;
  };
  if (!number(widthText, width) || !number(heightText, height)) {
    width = MaxGrafikWidth;
    height = MaxGrafikHeight;
  }
  width = std::clamp(width, 1, MaxGrafikWidth);
  height = std::clamp(height, 1, MaxGrafikHeight);
  return true;
}

int ScaledLength(int length, int percent) {
  return std::max(1, static_cast<int>(std::lround(length * percent / 100.0)));
}

namespace {
void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}
}  // namespace

std::vector<uint8_t> MonoBmpBytes(int width, int height, const std::function<bool(int, int)>& black) {
  const int rowBytes = ((width + 31) / 32) * 4;
  const uint32_t imageSize = static_cast<uint32_t>(rowBytes * height);
  std::vector<uint8_t> b(62 + imageSize, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  Put32(b, 10, 62);
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<uint32_t>(width));
  Put32(b, 22, static_cast<uint32_t>(height));
  Put16(b, 26, 1);
  Put16(b, 28, 1);
  Put32(b, 34, imageSize);
  Put32(b, 38, 2835);
  Put32(b, 42, 2835);
  Put32(b, 46, 2);
  Put32(b, 50, 2);
  // Palette: index 0 black, index 1 white.
  b[58] = b[59] = b[60] = 0xFF;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = b.data() + 62 + static_cast<size_t>(height - 1 - y) * rowBytes;
    for (int x = 0; x < width; ++x)
      if (!black(x, y)) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
  }
  return b;
}

int BmpBitsPerPixel(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 30 || bytes[0] != 'B' || bytes[1] != 'M') return 0;
  return bytes[28] | (bytes[29] << 8);
}

}  // namespace zyn
