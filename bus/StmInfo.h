#pragma once
// The information about the project in a control module: the project-information block that the
// transfer wrote at 0xBD00 and the project GUID text of the image, as the information page shows
// them.

#include "bus/BusSerialSettings.h"

#include <array>
#include <string>

namespace zyn {

class TZYNComm;

struct TStmInfoValues {
  // "Projektname:", "Programmiert am:", "Programmiert um:", "Programmiert von:",
  // "Projektplanung:", "Software Version:", "Prüfsumme über Programm:", "Programmgröße:",
  // "ProjektID" (Windows-1252 texts).
  std::array<std::string, 9> Values;
};

// Empty: the block reads as erased memory (every byte 0xFF): the module holds no project.
enum class TStmInfoResult { Done, NoModule, ReadFailed, Empty };

// Opens the link, reads and closes it again (also on an exception).
TStmInfoResult ReadStmInfo(TZYNComm& comm, const TBusSerialSettings& settings, int adresse, TStmInfoValues& values);

}  // namespace zyn
