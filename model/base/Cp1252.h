#pragma once
// The one text converter of the programme. Text in the model is 8-bit Windows-1252 held in
// std::string; it becomes UTF-8 or UTF-16 only at the edges (files that store Unicode, the GUI).
// The conversion is lossless for every byte: the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the code points U+0081 ... of the same value.

#include <string>
#include <string_view>

namespace zyn {

// The Unicode code point of one Windows-1252 byte.
char32_t AnsiToCodePoint(unsigned char c);
// The Windows-1252 byte of a code point, or -1 when the code page has none.
int CodePointToAnsi(char32_t cp);

std::string AnsiToUtf8(std::string_view ansi);
std::u16string AnsiToUtf16(std::string_view ansi);

// Code points without a Windows-1252 byte, and malformed UTF-8 or UTF-16, become '?'.
std::string Utf8ToAnsi(std::string_view utf8);
std::string Utf16ToAnsi(std::u16string_view utf16);

// A German literal from the (UTF-8) source as model text: Ansi("Ungültiger Eigenschaftswert").
inline std::string Ansi(std::string_view utf8Literal) { return Utf8ToAnsi(utf8Literal); }

// The UTF-8 length of a UTF-16 text, counted without converting it (a lone surrogate counts 3).
size_t Utf8Length(std::u16string_view utf16);

// True when the text holds a byte of 0x80 or above.
bool HasHighBytes(std::string_view ansi);

// True when the bytes are well-formed UTF-8 (plain ASCII included).
bool IsUtf8(std::string_view text);

}  // namespace zyn
