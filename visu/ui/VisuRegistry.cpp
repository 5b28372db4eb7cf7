// The classes a visualisation page can hold, registered by name so that a page read from a
// stream builds its controls, and the palette of the page designer.

#include "visu/ui/UserAdminFrame.h"
#include "visu/ui/VisuButtons.h"
#include "visu/ui/VisuControls.h"
#include "visu/ui/VisuFrames.h"
#include "visu/ui/VisuLogger.h"
#include "visu/ui/VisuLogin.h"
#include "visu/ui/VisuPageFrame.h"

namespace zyn {

namespace {
template <class T>
void Register(const char* name) {
  RegisterVisuClass(name, [](QWidget* parent) -> TVisuComponent* { return new T(parent); });
}
}  // namespace

void RegisterVisuClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  Register<TVisuRoundLED>("TVisuRoundLED");
  Register<TVisuRectLED>("TVisuRectLED");
  Register<TVisuCycleCounter>("TVisuCycleCounter");
  Register<TVisuRectRoundLED>("TVisuRectRoundLED");
  Register<TVisuSquareLED>("TVisuSquareLED");
  Register<TVisuSquareRoundLED>("TVisuSquareRoundLED");
  Register<TVisuLEDTeleButton>("TVisuLEDTeleButton");
  Register<TVisuTextIndicator>("TVisuTextIndicator");
  Register<TVisuMinuteTimer>("TVisuMinuteTimer");
  Register<TVisuLogger>("TVisuLogger");
  Register<TNavigationButton>("TNavigationButton");
  Register<TSegmentControl>("TSegmentControl");
  Register<TTeleButton>("TTeleButton");
  Register<TVisuText>("TVisuText");
  Register<TVisuMenuFrame>("TVisuMenuFrame");
  Register<TVisuConnectorFrame>("TVisuConnectorFrame");
  Register<TIndexControl>("TIndexControl");
  Register<TNumberBlk>("TNumberBlk");
  Register<TVisuUserAdminFrame>("TVisuUserAdminFrame");
  Register<TVisuUserLogin1>("TVisuUserLogin1");
  Register<TVisuUserLogin2>("TVisuUserLogin2");
  Register<TExitButton>("TExitButton");
  Register<TVisuSTMConnectButton>("TVisuSTMConnectButton");
  Register<TVNButton>("TVNButton");
  Register<TSummenStatus>("TSummenStatus");
}

TVisuComponent* CreatePaletteControl(int index, QWidget* owner) {
  static const char* const kPalette[21] = {
      "TVisuLogger",        "TVisuRoundLED",      "TVisuSquareLED",   "TVisuRectLED",          "TVisuRectRoundLED",
      "TVisuTextIndicator", "TVisuLEDTeleButton", "TVisuMinuteTimer", "TNavigationButton",     "TSegmentControl",
      "TVisuCycleCounter",  "TTeleButton",        "TVisuText",        "TVisuMenuFrame",        "TVisuConnectorFrame",
      "TIndexControl",      "TVisuUserLogin2",    "TExitButton",      "TVisuSTMConnectButton", "TVisuSTMConnectButton",
      "TSummenStatus"};
  if (index < 0 || index > 20) return nullptr;
  RegisterVisuClasses();
  return CreateVisuComponent(kPalette[index], owner);
}

}  // namespace zyn
