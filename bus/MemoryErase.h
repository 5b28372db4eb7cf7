#pragma once
// Erasing memory over the bus: the program memory of selected control modules and the memory of
// the display panel. The dialogs drive these and show their step texts.
//
// Call order: user-interface thread. EraseControlModules opens and closes the link; the display
// erase leaves it open, so a second erase in the same dialog reuses the open port.

#include "bus/BusSerialSettings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace zyn {

class TZYNComm;

struct TEraseResult {
  std::array<bool, 4> Present{};  // the module answered the presence check
  std::array<bool, 4> Erased{};   // it was selected and confirmed the erase
  std::string PortProblem;        // the port could not be opened or went away (German, names the device)
};

// Probes all four control modules; every selected one that answers is stopped and erased. The
// erased modules are left stopped. OnStep: the step text (translated) and the progress position
// 0..4.
TEraseResult EraseControlModules(TZYNComm& comm, const TBusSerialSettings& settings,
                                 const std::array<bool, 4>& selected,
                                 const std::function<void(const std::string& step, int position)>& onStep);

// Erases the display with number 0 (station 7), waiting timeoutMs for its answer; opens the link
// when it is not open. True when the display confirmed.
bool EraseDisplayMemory(TZYNComm& comm, const TBusSerialSettings& settings, uint16_t timeoutMs = 5000);

}  // namespace zyn
