#include "bus/VisuBusSender.h"

#include "bus/ZYNComm.h"

namespace zyn {

bool TVisuBusSender::SendVisuTelegram(TTeleType type, int32_t steuermodul, int32_t modul, int32_t value,
                                      int32_t parameter) {
  if (steuermodul < 0 || steuermodul > 3) return false;
  const std::vector<uint8_t> bytes = VisuTelegramBytes(type, modul, value, parameter);
  if (bytes.empty()) return false;
  const uint8_t previous = fComm.A_Steuermodul();
  fComm.SetA_Steuermodul(static_cast<uint8_t>(steuermodul));
  const bool sent = fComm.SendRawTelegram(bytes.data(), bytes.size());
  fComm.SetA_Steuermodul(previous);
  return sent;
}

}  // namespace zyn
