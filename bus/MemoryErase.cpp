#include "bus/MemoryErase.h"

#include "bus/TransferRun.h"
#include "bus/ZYNComm.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"

namespace zyn {

TEraseResult EraseControlModules(TZYNComm& comm, const TBusSerialSettings& settings,
                                 const std::array<bool, 4>& selected,
                                 const std::function<void(const std::string& step, int position)>& onStep) {
  TEraseResult result;
  auto step = [&](const std::string& text, int position) {
    if (onStep) onStep(text, position);
  };
  struct TClose {
    TZYNComm& comm;
    ~TClose() { comm.CloseLink(); }
  } close{comm};
  comm.ApplySerialSettings(settings);
  comm.OpenLink();
  if (!comm.Active()) {
    result.PortProblem = comm.OpenErrorText();
    return result;
  }
  // All four are probed, selected or not; only selected ones that answer are erased.
  const std::string checking = TranslateText(Ansi("Prüfen ob die gewählten Steuerungen vorhanden sind"));
  for (int m = 0; m < 4; ++m) {
    step(checking, m + 1);
    result.Present[static_cast<size_t>(m)] = comm.ProbeModule(static_cast<uint8_t>(m));
  }
  step(checking, 0);
  if (comm.Exchange().Lost()) {
    result.PortProblem = comm.Exchange().LostText();
    return result;
  }
  for (int m = 0; m < 4; ++m) {
    if (!selected[static_cast<size_t>(m)] || !result.Present[static_cast<size_t>(m)]) {
      step({}, m + 1);
      continue;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%s%2.2d%s", TranslateText("Speicher von STM.").c_str(), m,
                  TranslateText(Ansi(" löschen")).c_str());
    step(text, m + 1);
    comm.SetA_Steuermodul(static_cast<uint8_t>(m));
    comm.EnterServiceMode();
    result.Erased[static_cast<size_t>(m)] = comm.EraseProgramMemory();
  }
  step({}, 0);
  return result;
}

bool EraseDisplayMemory(TZYNComm& comm, const TBusSerialSettings& settings, uint16_t timeoutMs) {
  if (!comm.Active()) {
    comm.ApplySerialSettings(settings);
    comm.OpenLink();
  }
  comm.SetA_Steuermodul(7);
  TScopedTimeout timeout(comm, timeoutMs);
  return comm.EraseDisplay();
}

}  // namespace zyn
