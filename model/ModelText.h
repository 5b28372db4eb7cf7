#pragma once
// The translation of the model's own German words and its word tables; the text helpers
// (comparing, trimming, parsing, zero-filled numbers) come from model/base/TextUtils.h.

#include "model/base/TextUtils.h"

#include <string>
#include <string_view>

namespace zyn {

// A German word of the model ("STM.", "ein", "aus", weekday names, ...) from the UTF-8 source,
// as Windows-1252 text through the translation table.
std::string ModelTranslate(std::string_view utf8German);

// Word tables of the model classes, translated on every call.
std::string GetUhrenTypName(int clockType);      // "Tagesuhren", "Wochenuhren", "Rolladenuhren"
std::string GetBasisKlassenName(int baseClass);  // "Eingangsmodule" ... "unbekannt"
std::string GetWochentagName(int day);           // 0 Monday .. 6 Sunday: "Mo" .. "So"

}  // namespace zyn
