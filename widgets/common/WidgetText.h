#pragma once
// German literals of the widgets on their way to the screen: the UTF-8 source literal
// becomes model text, passes the translation table and is shown as a QString.

#include <QString>

namespace zyn {

// The translated text of a German UTF-8 literal.
QString TranslatedText(const char* germanUtf8);

}  // namespace zyn
