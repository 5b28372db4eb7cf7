#pragma once
// The library's own texts: the captions of its dialogs and popups, the colour names, its questions
// and messages. They are English and pass the component libraries' one translator
// (platform/LibraryTexts.h) when they are shown.

#include "platform/LibraryTexts.h"

#include <QString>

#include <string>

namespace zyn {

using TzbBarTextTranslator = TLibraryTextTranslator;
// The libraries' translator (the same one the control library's texts pass).
inline TzbBarTextTranslator SetBarTextTranslator(TzbBarTextTranslator translator) {
  return SetLibraryTextTranslator(std::move(translator));
}

// The library's resource string of the text (LoadLibraryString), then the translator's answer.
std::string BarText(const char* english);  // Windows-1252
QString BarQText(const char* english);
// A text with one place "%s" for a name (a toolbar's, a category's): translated, then filled in.
QString BarQText(const char* english, const QString& name);

}  // namespace zyn
