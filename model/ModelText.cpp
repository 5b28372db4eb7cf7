#include "model/ModelText.h"

#include "model/base/Cp1252.h"
#include "model/base/Translator.h"

namespace zyn {

std::string ModelTranslate(std::string_view utf8German) { return TranslateText(Ansi(utf8German)); }

std::string GetUhrenTypName(int clockType) {
  static const char* const kNames[] = {"Tagesuhren", "Wochenuhren", "Rolladenuhren"};
  if (clockType < 0 || clockType > 2) return std::string();
  return ModelTranslate(kNames[clockType]);
}

std::string GetBasisKlassenName(int baseClass) {
  static const char* const kNames[] = {"Eingangsmodule", "Multifunktionsmodule", "Ausgangsmodule",
                                       "Analogmodule",   "Einbaumodule",         "Dimmermodule",
                                       "Rolladenmodule", "Sondermodule",         "unbekannt"};
  if (baseClass < 0 || baseClass > 8) baseClass = 8;
  return ModelTranslate(kNames[baseClass]);
}

std::string GetWochentagName(int day) {
  static const char* const kNames[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
  if (day < 0 || day > 6) return std::string();
  return ModelTranslate(kNames[day]);
}

}  // namespace zyn
