#include "logic/core/LogicText.h"

#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/ModelText.h"
#include "model/Modul.h"
#include "model/Uhr.h"

#include <cctype>
#include <random>
#include <vector>

namespace zyn {

namespace {

// One item: "%" flags width precision conversion. Calls put(item, conversion) for an item with
// the wanted conversion; returns false when the item is not one (it is then copied).
template <class Put>
std::string FormatItems(const std::string& format, char wanted, size_t argCount, Put put) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c != '%') {
      out += c;
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool left = false, zero = false;
    while (j < format.size() && (format[j] == '-' || format[j] == '0')) {
      (format[j] == '-' ? left : zero) = true;
      ++j;
    }
    int width = 0, precision = -1;
    while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])))
      width = width * 10 + (format[j++] - '0');
    if (j < format.size() && format[j] == '.') {
      precision = 0;
      ++j;
      while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])))
        precision = precision * 10 + (format[j++] - '0');
    }
    if (j < format.size() && format[j] == wanted && next < argCount && width < 256 && precision < 256) {
      std::string body = put(next++, precision);
      const char pad = zero && !left && wanted == 'd' && precision < 0 ? '0' : ' ';
      if (static_cast<int>(body.size()) < width) {
        const std::string fill(static_cast<size_t>(width) - body.size(), pad);
        if (left)
          body += fill;
        else if (pad == '0' && !body.empty() && body[0] == '-')
          body = "-" + fill + body.substr(1);
        else
          body = fill + body;
      }
      out += body;
      i = j;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string FormatText(const std::string& format, std::initializer_list<std::string> args) {
  const std::vector<std::string> a(args);
  return FormatItems(format, 's', a.size(), [&](size_t k, int precision) {
    return precision >= 0 ? a[k].substr(0, static_cast<size_t>(precision)) : a[k];
  });
}

std::string FormatNumbers(const std::string& format, std::initializer_list<long long> args) {
  const std::vector<long long> a(args);
  return FormatItems(format, 'd', a.size(), [&](size_t k, int precision) {
    const long long v = a[k];
    std::string digits = std::to_string(v < 0 ? -v : v);
    if (precision > 0 && static_cast<int>(digits.size()) < precision)
      digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
    return (v < 0 ? "-" : "") + digits;
  });
}

std::string StripLineBreaks(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != '\n') out += c;
  std::string result;
  for (char c : out)
    if (c != '\r') result += c;
  return result;
}

std::string WrapHintText(const std::string& text, int width) {
  const std::string flat = StripLineBreaks(text);
  if (width < 1) return flat;
  std::string out;
  std::string line;
  size_t breakAt = std::string::npos;  // index in line after which a break may come
  for (char c : flat) {
    line += c;
    if (c == ' ' || c == '-' || c == '\t') breakAt = line.size() - 1;
    if (static_cast<int>(line.size()) > width && breakAt != std::string::npos && breakAt + 1 < line.size()) {
      std::string head = line.substr(0, breakAt + 1);
      if (head.back() == ' ') head.pop_back();
      out += head + "\r\n";
      line = line.substr(breakAt + 1);
      breakAt = std::string::npos;
      for (size_t k = 0; k < line.size(); ++k)
        if (line[k] == ' ' || line[k] == '-' || line[k] == '\t') breakAt = k;
    }
  }
  return out + line;
}

std::string PadRight(const std::string& text, char fill, int length) {
  std::string out = text;
  while (static_cast<int>(out.size()) < length) out += fill;
  return out;
}

std::string NewGuidString() {
  static std::random_device device;
  static std::mt19937_64 engine(device() ^ (static_cast<uint64_t>(device()) << 32));
  uint8_t b[16];
  for (int i = 0; i < 16; i += 8) {
    const uint64_t r = engine();
    for (int k = 0; k < 8; ++k) b[i + k] = static_cast<uint8_t>(r >> (8 * k));
  }
  b[6] = static_cast<uint8_t>((b[6] & 0x0F) | 0x40);
  b[8] = static_cast<uint8_t>((b[8] & 0x3F) | 0x80);
  static const char hex[] = "0123456789ABCDEF";
  std::string s = "{";
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) s += '-';
    s += hex[b[i] >> 4];
    s += hex[b[i] & 15];
  }
  return s + "}";
}

std::string ObjectKindText(const TZYNBaseObject* o) {
  if (dynamic_cast<const TEingang*>(o)) return ModelTranslate("diesen Eingang");
  if (dynamic_cast<const TAusgang*>(o)) return ModelTranslate("diesen Ausgang");
  if (dynamic_cast<const TMerker*>(o)) return ModelTranslate("diesen Merker");
  if (dynamic_cast<const TUhr*>(o)) return ModelTranslate("diese Uhr");
  if (dynamic_cast<const TModul*>(o)) return ModelTranslate("dieses Modul");
  return ModelTranslate("dieses unbekannte Objekt");
}
std::string ObjectKindText(const TZYNFunction* t) {
  return ModelTranslate(t ? "diese Funktion" : "dieses unbekannte Objekt");
}
std::string ObjectKindText(const TZYNSubFunction* s) {
  return ModelTranslate(s ? "dieses Element" : "dieses unbekannte Objekt");
}
std::string ObjectKindText(const TZYNEbene* l) {
  return ModelTranslate(l ? "diese Ebene" : "dieses unbekannte Objekt");
}

}  // namespace zyn

#include "model/Verbindung.h"

namespace zyn {

std::string LinkBitmapName(const TVerbindung& link) {
  static const char* const local[] = {"VERBINDUNG", "VERKNUPF", "VERKNUPFALT"};
  static const char* const cross[] = {"VERBOVL", "VERKNOVL", "VERKNALTOVL"};
  const int kind = link.Kind();
  if (kind > 2) return {};
  return link.IsCrossSTM() ? cross[kind] : local[kind];
}

}  // namespace zyn
