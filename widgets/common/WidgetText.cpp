#include "widgets/common/WidgetText.h"

#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"

namespace zyn {

QString TranslatedText(const char* germanUtf8) { return ToQString(TranslateText(Ansi(germanUtf8))); }

}  // namespace zyn
