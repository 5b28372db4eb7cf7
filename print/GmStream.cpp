#include "print/GmStream.h"

#include "model/base/Cp1252.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace zyn {

namespace {

[[noreturn]] void ConvertFailure(std::string_view text, const char* kind) {
  throw EGmConvertError(Ansi("„") + std::string(text) + Ansi("“ ist ") + kind);
}

std::string EscapeText(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string UnescapeText(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    if (c == '\\' && i + 1 < value.size()) {
      const char n = value[++i];
      c = n == 'r' ? '\r' : n == 'n' ? '\n' : n;
    }
    out += c;
  }
  return out;
}

}  // namespace

int GmParseInt(std::string_view text) {
  std::string_view t = text;
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  int v = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || ec != std::errc() || end != t.data() + t.size()) ConvertFailure(text, "keine gültige ganze Zahl");
  return v;
}

TGmExtended GmParseFloat(std::string_view text) {
  std::string_view t = text;
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  double v = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::fixed);
  if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v))
    ConvertFailure(text, "keine gültige Zahl");
  return v;
}

std::string GmFloatText(TGmExtended value) {
  // Locale-independent: the decimal separator is always "." and no process-wide setting changes.
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value), std::chars_format::fixed, 3);
  if (ec != std::errc()) return "0.000";
  std::string s(buf, end);
  if (s == "-0.000") s = "0.000";
  return s;
}

std::vector<int> GmParseIntList(std::string_view text) {
  std::vector<int> out;
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    out.push_back(GmParseInt(text.substr(start, comma == std::string_view::npos ? comma : comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return out;
}

int TGmValueList::Find(std::string_view name) const {
  for (size_t i = 0; i < fLines.size(); ++i) {
    const std::string& l = fLines[i];
    const size_t eq = l.find('=');
    if (eq != std::string::npos && std::string_view(l).substr(0, eq) == name) return static_cast<int>(i);
  }
  return -1;
}

bool TGmValueList::RawValue(std::string_view name, std::string& out) const {
  const int i = Find(name);
  if (i < 0) return false;
  const std::string& l = fLines[static_cast<size_t>(i)];
  out = l.substr(l.find('=') + 1);
  return true;
}

void TGmValueList::SetRaw(std::string_view name, std::string value) {
  std::string line = std::string(name) + "=" + value;
  const int i = Find(name);
  if (i >= 0)
    fLines[static_cast<size_t>(i)] = std::move(line);
  else
    fLines.push_back(std::move(line));
}

int TGmValueList::ReadInteger(std::string_view name, int def) const {
  std::string v;
  return RawValue(name, v) ? GmParseInt(v) : def;
}

bool TGmValueList::ReadBool(std::string_view name, bool def) const { return ReadInteger(name, def ? 1 : 0) != 0; }

TGmExtended TGmValueList::ReadFloat(std::string_view name, TGmExtended def) const {
  std::string v;
  return RawValue(name, v) ? GmParseFloat(v) : def;
}

std::string TGmValueList::ReadString(std::string_view name, const std::string& def) const {
  std::string v;
  return RawValue(name, v) ? UnescapeText(v) : def;
}

TGmPoint TGmValueList::ReadPoint(std::string_view name, const TGmPoint& def) const {
  std::string v;
  if (!RawValue(name, v)) return def;
  const std::vector<int> n = GmParseIntList(v);
  if (n.size() != 2) ConvertFailure(v, "kein gültiger Punkt");
  return {n[0] / 1000.0L, n[1] / 1000.0L};
}

TGmRect TGmValueList::ReadRect(std::string_view name, const TGmRect& def) const {
  std::string v;
  if (!RawValue(name, v)) return def;
  if (v.empty()) return {};
  const std::vector<int> n = GmParseIntList(v);
  if (n.size() != 4) ConvertFailure(v, "kein gültiges Rechteck");
  return {n[0] / 1000.0L, n[1] / 1000.0L, n[2] / 1000.0L, n[3] / 1000.0L};
}

void TGmValueList::WriteInteger(std::string_view name, int value) { SetRaw(name, std::to_string(value)); }
void TGmValueList::WriteFloat(std::string_view name, TGmExtended value) { SetRaw(name, GmFloatText(value)); }
void TGmValueList::WriteString(std::string_view name, std::string_view value) { SetRaw(name, EscapeText(value)); }

namespace {
std::string Thousandths(TGmExtended v) {
  std::int64_t n = GmRound(v * 1000.0L);
  if (n > INT32_MAX) n = INT32_MAX;
  if (n < INT32_MIN) n = INT32_MIN;
  return std::to_string(n);
}
}  // namespace

void TGmValueList::WritePoint(std::string_view name, const TGmPoint& value) {
  SetRaw(name, Thousandths(value.X) + "," + Thousandths(value.Y));
}

void TGmValueList::WriteRect(std::string_view name, const TGmRect& value) {
  SetRaw(name, Thousandths(value.Left) + "," + Thousandths(value.Top) + "," + Thousandths(value.Right) + "," +
                   Thousandths(value.Bottom));
}

void TGmValueList::SaveToStream(TStream& stream) const { TGmWriter(stream).WriteValueList(*this); }
void TGmValueList::LoadFromStream(TStream& stream) { TGmReader(stream).ReadValueList(*this); }

void TGmWriter::WriteBlock(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() > static_cast<size_t>(INT32_MAX)) throw EWriteError(Ansi("Der Datenblock ist zu groß"));
  fStream.WriteI32(static_cast<std::int32_t>(bytes.size()));
  if (!bytes.empty()) fStream.WriteBuffer(bytes.data(), bytes.size());
}

void TGmWriter::WriteValueList(const TGmValueList& list) {
  std::vector<std::uint8_t> text;
  for (const std::string& l : list.Lines()) {
    text.insert(text.end(), l.begin(), l.end());
    text.push_back('\r');
    text.push_back('\n');
  }
  WriteBlock(text);
}

std::int64_t TGmReader::Remaining() {
  if (!fStream.CanSeek()) return std::numeric_limits<std::int64_t>::max();
  const std::int64_t left = fStream.Size() - fStream.Position();
  return left < 0 ? 0 : left;
}

std::int32_t TGmReader::ReadCount(std::int64_t minItemBytes) {
  const std::int32_t n = fStream.ReadI32();
  if (n < 0 || (minItemBytes > 0 && n > Remaining() / minItemBytes))
    throw EReadError(Ansi("Ungültige Anzahl im Seitendatenstrom: ") + std::to_string(n));
  return n;
}

std::vector<std::uint8_t> TGmReader::ReadBlock() {
  const std::int32_t n = fStream.ReadI32();
  if (n < 0 || n > Remaining())
    throw EReadError(Ansi("Ungültige Blocklänge im Seitendatenstrom: ") + std::to_string(n));
  std::vector<std::uint8_t> bytes(static_cast<size_t>(n));
  if (n > 0) fStream.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}

void TGmReader::ReadStream(TMemoryStream& target) {
  const std::vector<std::uint8_t> bytes = ReadBlock();
  if (!bytes.empty()) target.Write(bytes.data(), bytes.size());
}

void TGmReader::ReadValueList(TGmValueList& list) {
  const std::vector<std::uint8_t> bytes = ReadBlock();
  // Lines end with CR LF, a lone CR or a lone LF, as a text file's loader reads them.
  std::vector<std::string> lines;
  std::string cur;
  bool open = false;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = static_cast<char>(bytes[i]);
    if (c == '\r' || c == '\n') {
      lines.push_back(std::move(cur));
      cur.clear();
      open = false;
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      cur += c;
      open = true;
    }
  }
  if (open) lines.push_back(std::move(cur));
  list.SetLines(std::move(lines));
}

}  // namespace zyn
