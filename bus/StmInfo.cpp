#include "bus/StmInfo.h"

#include <algorithm>

#include "bus/ProjektInfo.h"
#include "bus/ZYNComm.h"

#include <cstdio>

namespace zyn {

namespace {

std::string Hex4(uint16_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "$%04X", value);
  return text;
}

}  // namespace

TStmInfoResult ReadStmInfo(TZYNComm& comm, const TBusSerialSettings& settings, int adresse, TStmInfoValues& values) {
  values = TStmInfoValues{};
  struct TClose {
    TZYNComm& comm;
    ~TClose() { comm.CloseLink(); }
  } close{comm};
  comm.ApplySerialSettings(settings);
  comm.SetP_TIFDelay(0);
  comm.SetA_Steuermodul(static_cast<uint8_t>(adresse));
  comm.OpenLink();
  if (!comm.GetModuleStatus()) return TStmInfoResult::NoModule;
  TProjektInfoBlock block{};
  if (!comm.ReadProjectInfo(block)) return TStmInfoResult::ReadFailed;
  if (std::all_of(block.begin(), block.end(), [](uint8_t b) { return b == 0xFF; })) return TStmInfoResult::Empty;
  const TProjektInfo info = TProjektInfo::FromBlock(block);
  values.Values = {info.ProjektName,
                   info.Datum,
                   info.Zeit,
                   info.Ausfuehrung,
                   info.Planung,
                   info.ProgramTitle,
                   Hex4(info.ImageChecksum),
                   Hex4(info.ImageLength),
                   comm.ReadImageGuid()};
  return TStmInfoResult::Done;
}

}  // namespace zyn
