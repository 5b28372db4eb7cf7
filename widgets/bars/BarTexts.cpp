#include "widgets/bars/BarTexts.h"

#include "platform/QtText.h"

namespace zyn {

std::string BarText(const char* english) { return LibraryText(english); }

QString BarQText(const char* english) { return LibraryQText(english); }

QString BarQText(const char* english, const QString& name) {
  QString text = BarQText(english);
  const qsizetype at = text.indexOf(QStringLiteral("%s"));
  if (at >= 0) text.replace(at, 2, name);
  return text;
}

}  // namespace zyn
