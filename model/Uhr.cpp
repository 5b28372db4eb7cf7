#include "model/Uhr.h"

#include "model/ModelText.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"

namespace zyn {

namespace {

std::string TimeText(int32_t hour, int32_t minute) { return ZeroPad(hour, 2) + ":" + ZeroPad(minute, 2); }

int32_t StrToInt(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i >= text.size()) throw EZYNError("'" + text + Ansi("' ist kein gültiger Integerwert"));
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') throw EZYNError("'" + text + Ansi("' ist kein gültiger Integerwert"));
    value = value * 10 + (text[i] - '0');
    if (value > 2147483648LL) throw EZYNError("'" + text + Ansi("' ist kein gültiger Integerwert"));
  }
  return static_cast<int32_t>(negative ? -value : value);
}

void ParseTime(std::string text, int32_t& hour, int32_t& minute) {
  for (char& c : text) {
    if (c == ' ') c = '0';
  }
  const size_t colon = text.find(':');
  if (colon == std::string::npos) throw EZYNError("'" + text + Ansi("' ist kein gültiger Integerwert"));
  const int32_t h = StrToInt(text.substr(0, colon));
  const int32_t m = StrToInt(text.substr(colon + 1, 2));
  hour = h;
  minute = m;
}

std::string DayMask(int32_t days) {
  std::string out;
  for (int day = 0; day < 7; ++day) out += (days & (1 << day)) ? GetWochentagName(day) + "," : std::string("--,");
  return out;
}

}  // namespace

TUhr::~TUhr() { fObservers.BroadcastDeleted(this); }

std::string TUhr::EinZeit() const { return TimeText(EinStunde, EinMinute); }
std::string TUhr::AusZeit() const { return TimeText(AusStunde, AusMinute); }
void TUhr::SetEinZeit(const std::string& text) { ParseTime(text, EinStunde, EinMinute); }
void TUhr::SetAusZeit(const std::string& text) { ParseTime(text, AusStunde, AusMinute); }
std::string TUhr::EinDayMask() const { return DayMask(EinTage); }
std::string TUhr::AusDayMask() const { return DayMask(AusTage); }

void TUhr::CopyClockFields(const TUhr& source) {
  AusMinute = source.AusMinute;
  AusStunde = source.AusStunde;
  AusTage = source.AusTage;
  EinMinute = source.EinMinute;
  EinStunde = source.EinStunde;
  EinTage = source.EinTage;
  UhrenTyp = source.UhrenTyp;
}

void TUhr::CopyFrom(const TUhr& source) {
  TKanal::CopyFrom(source);
  CopyClockFields(source);
}

void TUhr::UpdateFrom(const TUhr& source) {
  TKanal::UpdateFrom(source);
  CopyClockFields(source);
}

void TUhr::ReadData(TReader& reader) {
  TKanal::ReadData(reader);
  AusTage = reader.ReadInteger();
  AusStunde = reader.ReadInteger();
  AusMinute = reader.ReadInteger();
  EinTage = reader.ReadInteger();
  EinStunde = reader.ReadInteger();
  EinMinute = reader.ReadInteger();
  UhrenTyp = static_cast<TUhrenTyp>(reader.ReadInteger());
}

void TUhr::WriteData(TWriter& writer) const {
  TKanal::WriteData(writer);
  writer.WriteInteger(AusTage);
  writer.WriteInteger(AusStunde);
  writer.WriteInteger(AusMinute);
  writer.WriteInteger(EinTage);
  writer.WriteInteger(EinStunde);
  writer.WriteInteger(EinMinute);
  writer.WriteInteger(static_cast<int32_t>(UhrenTyp));
}

}  // namespace zyn
