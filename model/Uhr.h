#pragma once
// A switching clock of a control module: on and off times with their day masks.

#include "model/Kanal.h"

#include <string>

namespace zyn {

enum class TUhrenTyp : int32_t { utTag = 0, utWoche = 1, utRollade = 2 };

class TUhr : public TKanal {
 public:
  TUhr() = default;
  ~TUhr() override;

  int32_t AusMinute = 0;
  int32_t AusStunde = 0;
  int32_t AusTage = 0;
  int32_t EinMinute = 0;
  int32_t EinStunde = 0;
  int32_t EinTage = 0;  // bit 0 Monday .. bit 6 Sunday; bit 7 an initialisation clock
  TUhrenTyp UhrenTyp = TUhrenTyp::utTag;

  std::string EinZeit() const;  // "hh:mm"
  std::string AusZeit() const;
  std::string Einschaltzeit() const { return EinZeit(); }
  std::string Ausschaltzeit() const { return AusZeit(); }
  // Blanks count as "0"; the part before ":" is the hour, up to two characters after it the
  // minute. A text without ":" or with non-digits raises EZYNError and keeps the old time.
  void SetEinZeit(const std::string& text);
  void SetAusZeit(const std::string& text);
  std::string EinDayMask() const;
  std::string AusDayMask() const;
  bool IsInitClock() const { return (EinTage & 0x80) != 0; }

  void CopyFrom(const TUhr& source);
  void UpdateFrom(const TUhr& source);
  void ReadData(TReader& reader) override;
  void WriteData(TWriter& writer) const override;

 private:
  void CopyClockFields(const TUhr& source);
};

}  // namespace zyn
