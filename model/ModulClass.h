#pragma once
// One entry of the module catalogue: what a kind of bus module is (code, base class, shifts) and
// the descriptions of its channels. Modules are built from it.

#include "model/EABeschreibung.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zyn {

class TReader;
class TWriter;

// Base classes of bus modules; bcNone is never a module's class.
enum TZYNBasisKlasse : int32_t {
  bcEingangsModule = 0,
  bcMultifunktionsModule = 1,
  bcAusgangsModule = 2,
  bcAnalogmodule = 3,
  bcYXABoxen = 4,
  bcDimmerModule = 5,
  bcRolladen = 6,
  bcSonderModule = 7,
  bcNone = 8,
};

constexpr int kModulClassDataSize = 64;

class TModulClass {
 public:
  TModulClass();
  TModulClass(const TModulClass&) = delete;
  TModulClass& operator=(const TModulClass&) = delete;

  std::string InternalName;  // short texts, at most 255 characters
  std::string DisplayName;
  std::string ClassIdent;
  int32_t BaseClass = bcEingangsModule;
  int32_t LimitCount = 0;
  int32_t EinCount = 0;
  int32_t AusCount = 0;
  int32_t RMECount = 0;
  int32_t EinShift = 0;
  int32_t AusShift = 0;
  int32_t RMEShift = 0;
  bool Hidden = false;
  TEABeschreibungsListe Eingaenge;
  TEABeschreibungsListe Ausgaenge;
  TEABeschreibungsListe Rueckmeldungen;
  int32_t DefaultPOR = 0;
  std::vector<std::string> Texte;
  std::array<uint8_t, kModulClassDataSize> ClassData{};

  // Derived from the base class: dimmer settings for dimmers and analog modules, analog
  // settings for analog modules.
  bool Dimmerzusatz() const { return BaseClass == bcDimmerModule || BaseClass == bcAnalogmodule; }
  bool Analogzusatz() const { return BaseClass == bcAnalogmodule; }

  void CopyFrom(const TModulClass& source);
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
  // A file holding exactly this one class.
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;
};

}  // namespace zyn
