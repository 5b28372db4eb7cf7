#include "widgets/bars/BarTexts.h"

#include "platform/QtText.h"
#include "widgets/bars/Components.h"

namespace zyn {

std::string BarText(const char* english) { return LibraryText(LoadLibraryString(english).c_str()); }

QString BarQText(const char* english) { return ToQString(BarText(english)); }

QString BarQText(const char* english, const QString& name) {
  QString text = BarQText(english);
  const qsizetype at = text.indexOf(QStringLiteral("%s"));
  if (at >= 0) text.replace(at, 2, name);
  return text;
}

}  // namespace zyn
