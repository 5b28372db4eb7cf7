#pragma once
// A display text of a control module: two lines for a display panel.

#include "model/BaseObject.h"

#include <string>

namespace zyn {

class TSteuermodul;

class TTextZeile {
 public:
  int32_t Center = 0;  // 0 left, 1 right, 2 centred
  std::string Text;

  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
};

class TAnzeigetext : public TZYNBaseObject {
 public:
  TAnzeigetext() = default;
  ~TAnzeigetext() override;

  int32_t Adresse() const { return fAdresse; }
  void SetAdresse(int32_t value);  // notifies ClientValueChanged before it stores

  std::string Bemerkungen;
  TSteuermodul* Steuermodul = nullptr;  // not owned
  TTextZeile Zeile1;
  TTextZeile Zeile2;

  void CopyFrom(const TAnzeigetext& source);
  void UpdateFrom(const TAnzeigetext& source);
  void ReadData(TReader& reader) override;
  void WriteData(TWriter& writer) const override;

 private:
  int32_t fAdresse = 0;
};

}  // namespace zyn
