#pragma once
// The display and visualisation parts of the test project, kept apart from the model's name
// registry header.

namespace zyn {
class TZYNProjekt;
class TWriter;
namespace test {
// Adds one display panel and one visualisation page.
void AddDisplayAndPage(TZYNProjekt& p);
int DisplayCount(TZYNProjekt& p);
void WriteDisplayPart(TZYNProjekt& p, TWriter& w);
}  // namespace test
}  // namespace zyn
