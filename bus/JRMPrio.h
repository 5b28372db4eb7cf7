#pragma once
// Release of the priorities of blind-motor modules: one telegram per pair of outputs resets the
// priorities of both to their standard value, which lifts every interlock (wind, maintenance).
// The link is open and addressed to the control module; user-interface thread.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zyn {

class TAusgang;
class TModul;
class TSteuermodul;
class TZYNComm;

// The blind-motor modules of the control module, in module-list order.
std::vector<TModul*> BlindModules(const TSteuermodul& stm);
// The telegram for the pair of outputs that output stands for (command and data).
std::vector<uint8_t> PriorityTelegram(const TModul& modul, const TAusgang& output);

struct TPriorityResult {
  bool Answered = false;  // the control module answered the status request
  int Sent = 0;
  std::vector<const TModul*> Silent;  // modules with at least one unanswered telegram
};

// The status request, then for each module and each pair j = 0 .. outputs/2 - 1: step(modul, j),
// the telegram for output j, a pause of pauseMs.
TPriorityResult ReleasePriorities(TZYNComm& comm, const std::vector<TModul*>& modules, int pauseMs,
                                  const std::function<void(const TModul& modul, int pair)>& step = {});

}  // namespace zyn
