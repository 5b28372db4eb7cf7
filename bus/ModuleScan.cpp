#include "bus/ModuleScan.h"

#include "bus/ServiceModules.h"
#include "bus/ZYNComm.h"
#include "model/Modul.h"
#include "model/base/Cp1252.h"
#include "project/Steuermodul.h"

namespace zyn {

bool HasChannels(const TModul& modul, TChannelKind kind) {
  return kind == TChannelKind::Inputs ? modul.Eingaenge().Count() > 0 : modul.Ausgaenge().Count() > 0;
}

TTestScanResult ScanForTest(TZYNComm& comm, TSteuermodul& stm, TChannelKind kind,
                            const std::function<void(int position, const TModul& modul)>& step) {
  TTestScanResult result;
  result.Answered = comm.GetModuleStatus();
  if (!result.Answered) return result;
  for (int i = 0; i < stm.Module.Count(); ++i) {
    TModul* modul = stm.Module.GetModul(i);
    if (step) step(i + 1, *modul);
    const bool present = comm.IsModulePresent(ModuleByte(*modul));
    if (!HasChannels(*modul, kind)) continue;
    modul->Present = present ? TModulState::msPresent : TModulState::msMissing;
    result.Listed.push_back(modul);
  }
  return result;
}

TModuleCheckResult RunModuleCheck(TZYNComm& comm, const std::vector<TModul*>& modules, int pauseMs,
                                  const std::function<bool(int index)>& before,
                                  const std::function<void(int index)>& after) {
  TModuleCheckResult result;
  for (TModul* modul : modules) modul->Present = TModulState::msUndefined;
  result.Answered = comm.GetModuleStatus();
  if (!result.Answered) return result;
  for (size_t i = 0; i < modules.size(); ++i) {
    const int index = static_cast<int>(i);
    if (before && !before(index)) {
      result.Aborted = true;
      break;
    }
    uint8_t info = 0;
    const bool present = comm.QueryModule(ModuleByte(*modules[i]), info);
    modules[i]->Present = present ? TModulState::msPresent : TModulState::msMissing;
    if (!present) ++result.Missing;
    ++result.Probed;
    if (after) after(index);
    if (pauseMs > 0) TZYNComm::DelayMs(pauseMs);
  }
  return result;
}

std::string ModuleCheckText(const TModuleCheckResult& result, TZYNComm& comm) {
  // An aborted check says so before its count, so that it never reads as a complete one.
  const std::string aborted = result.Aborted ? comm.TranslateText("Der Scan wurde abgebrochen.") + " " : "";
  if (result.Missing == 0) return aborted + comm.TranslateText("Es wurden alle Module gefunden");
  return aborted + FormatText(comm.TranslateText("Es wurden %d Module nicht gefunden.").c_str(), result.Missing);
}

}  // namespace zyn
