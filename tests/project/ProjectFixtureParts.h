#pragma once
// The display and visualisation parts of the test project, kept apart from the model's name
// registry header.

#include <cstddef>
#include <string>

namespace zyn {
class TZYNProjekt;
class TWriter;
namespace test {
// Adds one display panel and one visualisation page.
void AddDisplayAndPage(TZYNProjekt& p);
int DisplayCount(TZYNProjekt& p);
// Gives the display (after AddDisplayAndPage) a start screen with the text "Licht" whose key F3
// jumps to a second screen with the internal name "ZIEL".
void AddDisplayJumpKey(TZYNProjekt& p);
// The notes of what reading skipped in the first display, and the screens it holds.
size_t DisplaySkipped(TZYNProjekt& p);
size_t DisplayScreens(TZYNProjekt& p);
std::string DisplayWarning(TZYNProjekt& p);
void WriteDisplayPart(TZYNProjekt& p, TWriter& w);
}  // namespace test
}  // namespace zyn
