#pragma once
// The library's own texts: the captions of its dialogs and popups, the colour names, its questions
// and messages. They are English. A program that shows them in its own language installs a
// translator; every text passes through it when it is shown, so a translator installed later
// reaches the texts of every dialog and popup built afterwards.

#include <QString>

#include <functional>
#include <string>

namespace zyn {

// Gets the English text (Windows-1252) and answers the text to show.
using TzbBarTextTranslator = std::function<std::string(const std::string& english)>;
// Returns the previous translator; an empty one shows the English texts.
TzbBarTextTranslator SetBarTextTranslator(TzbBarTextTranslator translator);

// The library's resource string of the text (LoadLibraryString), then the translator's answer.
std::string BarText(const char* english);  // Windows-1252
QString BarQText(const char* english);
// A text with one place "%s" for a name (a toolbar's, a category's): translated, then filled in.
QString BarQText(const char* english, const QString& name);

}  // namespace zyn
