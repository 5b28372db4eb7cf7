#pragma once
// The text helpers of the whole programme, on Windows-1252 model text: comparing and upper-casing
// by the ASCII rules of the lists, trimming, integer parsing, rounding and zero-filled numbers.
// Each rule lives here once; a caller that needs a different rule uses the named variant.

#include <string>
#include <string_view>

namespace zyn {

// Compares without regard to ASCII letter case (the lists' name index); <0, 0, >0. Bytes of 0x80
// and above compare as they stand.
int CompareText(std::string_view a, std::string_view b);
inline bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }
// ASCII letters only; accented letters stay as they are.
std::string UpperCase(std::string_view s);
// Upper case of Windows-1252 text, accented letters included (the link list's key texts).
std::string AnsiUpperCase(std::string_view s);

// Without blanks and control characters (every byte up to 0x20) at both ends.
std::string Trim(std::string_view s);
// Without blanks and tabs at both ends; other control characters stay (tool entry texts).
std::string TrimBlanks(std::string_view s);

// The decimal integer of the text (blanks and control characters around it are allowed, a sign
// in front); anything else, or a value beyond 32 bits, throws EZYNError
// "'<text>' ist kein gültiger Integerwert".
int StrToInt(const std::string& text);

// The nearest integer, halves to the even neighbour. Values beyond the 64-bit range (a factor
// from a damaged record can make any value) are held at its ends; not-a-number gives 0.
long long RoundEven(double value);

// The number in decimal with at least `width` digits, filled with leading zeros ("%width.widthd").
std::string ZeroPad(long long value, int width);

// The text cut to the 255 characters a short string of the stored files holds.
std::string ShortText(std::string text);

}  // namespace zyn
