// The main window's bars under the user's keys: F10 leaves the menu bar alone while Alt alone
// selects its first entry. (The XP look draws the toolbars in the colours of the visual theme; the
// palette change that repaints toolbars is checked on a real X server in the bar library's tests.)

#include "tests/journeys/Journey.h"
#include "widgets/bars/BarToolbarControl.h"

namespace zyn::test {
namespace {

class Bars : public TJourney {};

TEST_F(Bars, F10LeavesTheMenuBarAloneAltSelectsIt) {
  StartGlobals();
  StartProgram();
  // F10 first: had it entered menu mode, the Alt after it would leave it again.
  Keys({QStringLiteral("F10"), QStringLiteral("Alt_L")});
  ASSERT_TRUE(WaitFor([] { return TzbBarControl::MenuModeBar() != nullptr; })) << Screenshot("bars_f10");
  Key(QStringLiteral("Escape"));
  ASSERT_TRUE(WaitFor([] { return TzbBarControl::MenuModeBar() == nullptr; }));
}

}  // namespace
}  // namespace zyn::test
