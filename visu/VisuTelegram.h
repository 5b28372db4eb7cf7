#pragma once
// A telegram that a button of a visualisation page hands to the bus, and the interface of
// whoever carries it there (the bus link implements it, tests record it).
//
// On the bus the telegram goes to the control module `steuermodul`, which passes it on to the
// module: command 06, sequence 00, the module byte, the number of bytes that follow, then the
// value and, for the kinds with a parameter (vtEinEmuPara, vtAusParaTele), the parameter's low
// and high byte.

#include "visu/VisuTypes.h"

#include <cstdint>
#include <vector>

namespace zyn {

// The bytes after the address bytes; empty for vtNone and for kinds outside the enumeration.
std::vector<uint8_t> VisuTelegramBytes(TTeleType type, int32_t modul, int32_t value, int32_t parameter);

class IVisuTelegramSender {
 public:
  virtual ~IVisuTelegramSender() = default;
  // True when the telegram left for the bus.
  virtual bool SendVisuTelegram(TTeleType type, int32_t steuermodul, int32_t modul, int32_t value,
                                int32_t parameter) = 0;
};

}  // namespace zyn
