#pragma once
// The bar library's own texts in the programme: each English text of the library is shown as its
// German text, which passes the translation table like every other text of the programme.

#include <string>

namespace zyn {

// The text the programme shows for an English text of the bar library (Windows-1252 both); a text
// without German counterpart passes the table as it is.
std::string BarLibraryText(const std::string& english);
// Makes the bar library show its texts through BarLibraryText (the main window does it first).
void InstallBarLibraryTexts();

}  // namespace zyn
