#pragma once
// The component libraries' own texts (the bar library's dialogs and popups, the edits' context
// menu, the library messages) are English in the code. A programme that shows them in its own
// language installs one translator; every text passes through it when it is shown, so a translator
// installed later reaches every menu and dialog built afterwards.

#include <QString>

#include <functional>
#include <string>

namespace zyn {

// Gets the English text (Windows-1252) and answers the text to show.
using TLibraryTextTranslator = std::function<std::string(const std::string& english)>;
// Returns the previous translator; an empty one shows the English texts.
TLibraryTextTranslator SetLibraryTextTranslator(TLibraryTextTranslator translator);

std::string LibraryText(const char* english);  // Windows-1252
QString LibraryQText(const char* english);

}  // namespace zyn
