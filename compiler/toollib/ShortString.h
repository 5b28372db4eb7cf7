#pragma once
// A short text field kept as its whole memory image: a length byte and Max character bytes. The
// raw library form writes such fields as the image, so the bytes behind the text are kept too.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace zyn {

template <size_t Max>
class TShortString {
 public:
  static constexpr size_t kMax = Max;
  std::array<uint8_t, Max + 1> Image{};

  std::string Text() const {
    const size_t n = std::min<size_t>(Image[0], Max);
    return std::string(reinterpret_cast<const char*>(Image.data() + 1), n);
  }
  // Stores the length byte and the characters (cut to Max); the bytes behind them stay.
  void SetText(std::string_view text) {
    const size_t n = std::min(text.size(), Max);
    Image[0] = static_cast<uint8_t>(n);
    if (n > 0) std::memcpy(Image.data() + 1, text.data(), n);
  }
  size_t Length() const { return Image[0]; }
  bool Empty() const { return Image[0] == 0; }
};

}  // namespace zyn
