#pragma once
// The texts of the pages: German UTF-8 literals through the translation table, and the safe
// formatters of the logic core.

#include "logic/core/LogicText.h"
#include "widgets/common/WidgetText.h"

#include <QString>

namespace zyn {

inline QString PageText(const char* germanUtf8) { return TranslatedText(germanUtf8); }

}  // namespace zyn
