#include "platform/LibraryTexts.h"

#include "platform/QtText.h"

namespace zyn {

namespace {

TLibraryTextTranslator& Translator() {
  static TLibraryTextTranslator translator;
  return translator;
}

}  // namespace

TLibraryTextTranslator SetLibraryTextTranslator(TLibraryTextTranslator translator) {
  TLibraryTextTranslator previous = std::move(Translator());
  Translator() = std::move(translator);
  return previous;
}

std::string LibraryText(const char* english) {
  if (!Translator()) return english;
  return Translator()(english);
}

QString LibraryQText(const char* english) { return ToQString(LibraryText(english)); }

}  // namespace zyn
