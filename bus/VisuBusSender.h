#pragma once
// The visualisation's telegrams over an open bus link: each goes to its control module as one
// raw telegram (visu/VisuTelegram.h); the link's selected control module stays as it was.

#include "visu/VisuTelegram.h"

namespace zyn {

class TZYNComm;

class TVisuBusSender : public IVisuTelegramSender {
 public:
  explicit TVisuBusSender(TZYNComm& comm) : fComm(comm) {}
  // False for a control module outside 0 to 3, a telegram without bytes (vtNone) or a link that
  // could not write it.
  bool SendVisuTelegram(TTeleType type, int32_t steuermodul, int32_t modul, int32_t value, int32_t parameter) override;

 private:
  TZYNComm& fComm;
};

}  // namespace zyn
