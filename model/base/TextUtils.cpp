#include "model/base/TextUtils.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <cmath>
#include <cstdint>

namespace zyn {

namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

int CompareText(std::string_view a, std::string_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(UpperAscii(a[i]));
    const auto cb = static_cast<unsigned char>(UpperAscii(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::string UpperCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = UpperAscii(c);
  return out;
}

std::string AnsiUpperCase(std::string_view s) {
  std::string out(s);
  for (char& ch : out) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') {
      ch = static_cast<char>(c - 0x20);
    } else if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
      ch = static_cast<char>(c - 0x20);
    } else if (c == 0x9A || c == 0x9C || c == 0x9E) {
      ch = static_cast<char>(c - 0x10);
    } else if (c == 0xFF) {
      ch = static_cast<char>(0x9F);
    }
  }
  return out;
}

std::string Trim(std::string_view s) {
  size_t begin = 0;
  size_t end = s.size();
  while (begin < end && static_cast<unsigned char>(s[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(s[end - 1]) <= ' ') --end;
  return std::string(s.substr(begin, end - begin));
}

std::string TrimBlanks(std::string_view s) {
  const size_t begin = s.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  return std::string(s.substr(begin, s.find_last_not_of(" \t") - begin + 1));
}

int StrToInt(const std::string& text) {
  const std::string t = Trim(text);
  size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
  int64_t value = 0;
  bool digits = i < t.size();
  for (; i < t.size() && digits; ++i) {
    if (t[i] < '0' || t[i] > '9' || value > 2147483648LL)
      digits = false;
    else
      value = value * 10 + (t[i] - '0');
  }
  if (!digits || (!negative && value > 2147483647LL) || value > 2147483648LL)
    throw EZYNError("'" + text + Ansi("' ist kein gültiger Integerwert"));
  return static_cast<int>(negative ? -value : value);
}

long long RoundEven(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9.2e18) return 9200000000000000000LL;
  if (value <= -9.2e18) return -9200000000000000000LL;
  return static_cast<long long>(std::nearbyint(value));
}

std::string ZeroPad(long long value, int width) {
  if (width < 0) width = 0;
  if (width > 20) width = 20;
  const bool negative = value < 0;
  std::string digits =
      std::to_string(negative ? -static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value));
  if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
  return negative ? "-" + digits : digits;
}

std::string ShortText(std::string text) {
  if (text.size() > 255) text.resize(255);
  return text;
}

}  // namespace zyn
