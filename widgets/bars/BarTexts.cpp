#include "widgets/bars/BarTexts.h"

#include "platform/QtText.h"
#include "widgets/bars/Components.h"

namespace zyn {

namespace {

TzbBarTextTranslator& Translator() {
  static TzbBarTextTranslator translator;
  return translator;
}

}  // namespace

TzbBarTextTranslator SetBarTextTranslator(TzbBarTextTranslator translator) {
  TzbBarTextTranslator previous = std::move(Translator());
  Translator() = std::move(translator);
  return previous;
}

std::string BarText(const char* english) {
  const std::string text = LoadLibraryString(english);
  return Translator() ? Translator()(text) : text;
}

QString BarQText(const char* english) { return ToQString(BarText(english)); }

QString BarQText(const char* english, const QString& name) {
  QString text = BarQText(english);
  const qsizetype at = text.indexOf(QStringLiteral("%s"));
  if (at >= 0) text.replace(at, 2, name);
  return text;
}

}  // namespace zyn
