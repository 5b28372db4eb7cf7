#include "platform/QtText.h"

#include "model/base/Cp1252.h"

namespace zyn {

QString ToQString(std::string_view ansi) {
  const std::u16string u = AnsiToUtf16(ansi);
  return QString(reinterpret_cast<const QChar*>(u.data()), static_cast<qsizetype>(u.size()));
}

std::string FromQString(const QString& text) {
  return Utf16ToAnsi(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())));
}

}  // namespace zyn
