#pragma once
// The component libraries' own texts in the programme (the bar library's dialogs and popups, the
// edits' context menu): each English text of a library is shown as its German text, which passes
// the translation table like every other text of the programme.

#include <string>

namespace zyn {

// The text the programme shows for an English text of the bar library (Windows-1252 both); a text
// without German counterpart passes the table as it is.
std::string BarLibraryText(const std::string& english);
// Makes both libraries show their texts through BarLibraryText (the programme's start does it
// first, the main window again).
void InstallBarLibraryTexts();

}  // namespace zyn
