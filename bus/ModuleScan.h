#pragma once
// Presence of the bus modules of a control module: the scan before the input and output tests
// (the modules that have channels of the tested kind) and the module check, which probes every
// planned module one after the other with a pause, can be aborted and counts the missing ones.
// Both write TModul::Present. The link is open (TLinkSession) and addressed to the control
// module; everything runs on the user-interface thread.

#include <functional>
#include <string>
#include <vector>

namespace zyn {

class TModul;
class TSteuermodul;
class TZYNComm;

enum class TChannelKind { Inputs, Outputs };

bool HasChannels(const TModul& modul, TChannelKind kind);

struct TTestScanResult {
  bool Answered = false;        // the control module answered the status request
  std::vector<TModul*> Listed;  // the modules with channels of the kind, in module-list order
};

// Before the input or output test: the status request; then every module is probed (step
// before each probe: position from 1, the module) and the ones with channels of the kind are
// listed with Present set from the probe. Modules without such channels stay unchanged.
TTestScanResult ScanForTest(TZYNComm& comm, TSteuermodul& stm, TChannelKind kind,
                            const std::function<void(int position, const TModul& modul)>& step = {});

struct TModuleCheckResult {
  bool Answered = false;  // the control module answered the status request
  bool Aborted = false;
  int Probed = 0;
  int Missing = 0;
};

// The module check: every module's Present is set to msUndefined first; then the status request
// (nothing probed when it is not answered); then, for each module in the given order, before(i)
// is asked (false aborts: the remaining modules stay msUndefined), the module is probed, after(i)
// is told and the link pauses pauseMs.
TModuleCheckResult RunModuleCheck(TZYNComm& comm, const std::vector<TModul*>& modules, int pauseMs,
                                  const std::function<bool(int index)>& before,
                                  const std::function<void(int index)>& after = {});

// The German result line of a check: "Es wurden alle Module gefunden" or
// "Es wurden %d Module nicht gefunden." (translated, Windows-1252), after an abort preceded by
// "Der Scan wurde abgebrochen.".
std::string ModuleCheckText(const TModuleCheckResult& result, TZYNComm& comm);

}  // namespace zyn
