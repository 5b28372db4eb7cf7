#pragma once
// Small text helpers of the model: ASCII case rules of the lists, trimming, zero-padded numbers,
// and the translation of the model's own German words.

#include <string>
#include <string_view>

namespace zyn {

// Compares without regard to ASCII letter case (the lists' name index); <0, 0, >0.
int CompareText(std::string_view a, std::string_view b);
inline bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }
std::string UpperCase(std::string_view s);  // ASCII letters only
// Upper case of Windows-1252 text, accented letters included (the link list's key texts).
std::string AnsiUpperCase(std::string_view s);
std::string Trim(std::string_view s);       // blanks and control characters at both ends
// The number in decimal with at least `width` digits, leading zeros ("%width.widthd").
std::string ZeroPad(long long value, int width);

// A German word of the model ("STM.", "ein", "aus", weekday names, ...) from the UTF-8 source,
// as Windows-1252 text through the translation table.
std::string ModelTranslate(std::string_view utf8German);

// Word tables of the model classes, translated on every call.
std::string GetUhrenTypName(int clockType);      // "Tagesuhren", "Wochenuhren", "Rolladenuhren"
std::string GetBasisKlassenName(int baseClass);  // "Eingangsmodule" ... "unbekannt"
std::string GetWochentagName(int day);           // 0 Monday .. 6 Sunday: "Mo" .. "So"

}  // namespace zyn
