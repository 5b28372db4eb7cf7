#include "compiler/DisplayText.h"

#include "model/Anzeigetext.h"

namespace zyn {

namespace {

constexpr size_t kColumns = 16;

char DisplayCode(unsigned char c) {
  switch (c) {
    case 0xE4:
      return 1;  // ä
    case 0xF6:
      return 2;  // ö
    case 0xFC:
      return 3;  // ü
    case 0xC4:
      return 4;  // Ä
    case 0xD6:
      return 5;  // Ö
    case 0xDC:
      return 6;  // Ü
    case 0xDF:
      return 7;  // ß
    default:
      return static_cast<char>(c);
  }
}

}  // namespace

std::string FormatDisplayLine(const std::string& text, int alignment) {
  std::string line;
  for (unsigned char c : text) line += DisplayCode(c);
  if (line.size() > kColumns) line.resize(kColumns);
  const size_t free = kColumns - line.size();
  switch (alignment) {
    case 1:
      return std::string(free, ' ') + line;
    case 2:
      return std::string(free / 2, ' ') + line + std::string(free - free / 2, ' ');
    default:
      return line + std::string(free, ' ');
  }
}

std::string GetImageText(const TAnzeigetext& text) {
  std::string record = FormatDisplayLine(text.Zeile1.Text, text.Zeile1.Center);
  record += FormatDisplayLine(text.Zeile2.Text, text.Zeile2.Center);
  record += '\0';
  return record;
}

}  // namespace zyn
