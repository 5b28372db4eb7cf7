#include "bus/JRMPrio.h"

#include "bus/ServiceModules.h"
#include "bus/ZYNComm.h"
#include "model/Kanal.h"
#include "model/Modul.h"
#include "project/Steuermodul.h"

namespace zyn {

std::vector<TModul*> BlindModules(const TSteuermodul& stm) {
  std::vector<TModul*> modules;
  for (int i = 0; i < stm.Module.Count(); ++i)
    if (IsBlindModule(*stm.Module.GetModul(i))) modules.push_back(stm.Module.GetModul(i));
  return modules;
}

std::vector<uint8_t> PriorityTelegram(const TModul& modul, const TAusgang& output) {
  const uint8_t c = ChannelCode(output.Adresse(), modul.AusShift);
  return {0x06, 0x00, ModuleByte(modul), 0x02, static_cast<uint8_t>(c | 0x0A), 0x3F, static_cast<uint8_t>(c | 0x0E),
          0x3F};
}

TPriorityResult ReleasePriorities(TZYNComm& comm, const std::vector<TModul*>& modules, int pauseMs,
                                  const std::function<void(const TModul& modul, int pair)>& step) {
  TPriorityResult result;
  result.Answered = comm.GetModuleStatus();
  if (!result.Answered) return result;
  for (const TModul* modul : modules) {
    bool silent = false;
    for (int j = 0; j < modul->Ausgaenge().Count() / 2; ++j) {
      if (step) step(*modul, j);
      const std::vector<uint8_t> bytes = PriorityTelegram(*modul, *modul->Ausgaenge().GetItem(j));
      comm.SendRawTelegram(bytes.data(), bytes.size());
      ++result.Sent;
      // Confirmed by the module's answer: command echoed and the module not reported absent.
      if (comm.ReadModuleState(false, ModuleByte(*modul), -1) < 0) silent = true;
      if (pauseMs > 0) TZYNComm::DelayMs(pauseMs);
    }
    if (silent) result.Silent.push_back(modul);
  }
  return result;
}

}  // namespace zyn
