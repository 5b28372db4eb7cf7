#pragma once
// Small displays the tests compile, stream and edit.

#include "display/DispObjekt.h"
#include "display/InternalObjectNames.h"

#include <memory>
#include <string>

namespace zyn::test {

TBildschirm* AddScreen(TDisplayObjekt& display, const std::string& internalName, const std::string& name);
TText* AddText(TBildschirm& screen, const std::string& text, int col, int row);
TZustandVar* AddStateVariable(TBildschirm& screen, int col, int row, int pair);
TGrafik* AddGraphic(TBildschirm& screen, int x, int y, int w, int h, int blackColumn);
TLine* AddLine(TBildschirm& screen, int x, int y, int w, int h);
void LinkOutput(TVarVerbindung& link, int stm, int basis, int modul, int kanal, int ausShift);
void LinkInput(TVarVerbindung& link, int stm, int basis, int modul, int kanal);

// One screen with the text Hallo at column 2, row 1 and the default pair.
void BuildHallo(TDisplayObjekt& display);
// A display with two top-level screens, linked state variables with output keys, a text with
// an input key and a chain of three menu pages, tab stops, three graphics (two identical), lines,
// a value variable and two-row key labels.
void BuildRich(TDisplayObjekt& display, TDispUniqueNames& names);

}  // namespace zyn::test
