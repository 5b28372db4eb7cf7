#include "visu/VisuTelegram.h"

namespace zyn {

std::vector<uint8_t> VisuTelegramBytes(TTeleType type, int32_t modul, int32_t value, int32_t parameter) {
  const int32_t kind = static_cast<int32_t>(type);
  if (kind <= static_cast<int32_t>(TTeleType::vtNone) || kind > static_cast<int32_t>(TTeleType::vtUserTele)) return {};
  std::vector<uint8_t> bytes{0x06, 0x00, static_cast<uint8_t>(modul), 0x01, static_cast<uint8_t>(value)};
  if (type == TTeleType::vtEinEmuPara || type == TTeleType::vtAusParaTele) {
    bytes[3] = 0x03;
    bytes.push_back(static_cast<uint8_t>(parameter & 0xFF));
    bytes.push_back(static_cast<uint8_t>((parameter >> 8) & 0xFF));
  }
  return bytes;
}

}  // namespace zyn
