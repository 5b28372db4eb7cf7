#pragma once
// The GUI edge of the text converter: model text (Windows-1252 in std::string) to QString and back.

#include <QString>

#include <string>
#include <string_view>

namespace zyn {

QString ToQString(std::string_view ansi);
std::string FromQString(const QString& text);  // characters outside Windows-1252 become '?'

}  // namespace zyn
