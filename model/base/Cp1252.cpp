#include "model/base/Cp1252.h"

#include <array>

namespace zyn {

namespace {

// Code points of the bytes 0x80 to 0x9F; the undefined bytes keep their own value.
constexpr std::array<char16_t, 32> kHighControl = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                   0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

char AnsiOrQuestionMark(char32_t cp) {
  const int b = CodePointToAnsi(cp);
  return static_cast<char>(b < 0 ? '?' : b);
}

// Decodes one UTF-8 sequence at text[i]; advances i. Returns 0xFFFFFFFF for a malformed one.
char32_t DecodeUtf8(std::string_view text, size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t cp = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    return 0xFFFFFFFF;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size()) return 0xFFFFFFFF;
    const auto c = static_cast<unsigned char>(text[i]);
    if ((c & 0xC0) != 0x80) return 0xFFFFFFFF;
    cp = (cp << 6) | (c & 0x3F);
    ++i;
  }
  static constexpr char32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFFFFFF;
  return cp;
}

}  // namespace

char32_t AnsiToCodePoint(unsigned char c) {
  if (c >= 0x80 && c <= 0x9F) return kHighControl[c - 0x80];
  return c;
}

int CodePointToAnsi(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (size_t k = 0; k < kHighControl.size(); ++k) {
    if (kHighControl[k] == cp) return static_cast<int>(0x80 + k);
  }
  return -1;
}

std::string AnsiToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() + ansi.size() / 4);
  for (char c : ansi) AppendUtf8(out, AnsiToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::u16string AnsiToUtf16(std::string_view ansi) {
  std::u16string out;
  out.reserve(ansi.size());
  for (char c : ansi) out.push_back(static_cast<char16_t>(AnsiToCodePoint(static_cast<unsigned char>(c))));
  return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const char32_t cp = DecodeUtf8(utf8, i);
    out.push_back(cp == 0xFFFFFFFF ? '?' : AnsiOrQuestionMark(cp));
  }
  return out;
}

std::string Utf16ToAnsi(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    const char16_t u = utf16[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      ++i;  // a pair beyond the BMP: no Windows-1252 byte
      out.push_back('?');
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      out.push_back('?');
    } else {
      out.push_back(AnsiOrQuestionMark(u));
    }
  }
  return out;
}

bool HasHighBytes(std::string_view ansi) {
  for (char c : ansi) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

size_t Utf8Length(std::u16string_view utf16) {
  size_t n = 0;
  for (size_t i = 0; i < utf16.size(); ++i) {
    const char16_t c = utf16[i];
    if (c < 0x80) {
      n += 1;
    } else if (c < 0x800) {
      n += 2;
    } else if (c >= 0xD800 && c < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] < 0xE000) {
      n += 4;
      ++i;
    } else {
      n += 3;
    }
  }
  return n;
}

bool IsUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    size_t extra = 0;
    char32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + extra >= text.size()) return false;
    for (size_t k = 1; k <= extra; ++k) {
      const auto t = static_cast<unsigned char>(text[i + k]);
      if ((t & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (t & 0x3F);
    }
    // Overlong forms, surrogates and code points beyond Unicode are not UTF-8.
    if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += extra + 1;
  }
  return true;
}

}  // namespace zyn
