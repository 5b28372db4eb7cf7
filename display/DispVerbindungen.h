#pragma once
// The link of a display text or state variable to a bus channel.

#include <cstdint>
#include <string>

namespace zyn {

class TBasis;
class TDisplayObserver;
class TReader;
class TWriter;

// Kind of the linked channel; stored as one byte.
enum class TKanalTyp : uint8_t { otEingang = 0, otAusgang = 1, otNone = 2, otUnknown = 3 };

class TVarVerbindung {
 public:
  explicit TVarVerbindung(TBasis* owner) : fOwner(owner) {}
  ~TVarVerbindung();  // leaves the display observer
  TVarVerbindung(const TVarVerbindung&) = delete;
  TVarVerbindung& operator=(const TVarVerbindung&) = delete;

  int AusShift = 0;
  int EinShift = 0;
  int Kanal = 0;
  std::string KanalName;
  std::string KanalInternalName;
  TKanalTyp KanalTyp = TKanalTyp::otNone;
  int ModulAdresse = 0;
  int BasisKlasse = 0;
  std::string ModulInternalName;
  std::string ModulKennung;
  int STMAdresse = 0;
  std::string STMInternalName;

  // The text or state variable that owns the link.
  TBasis* Owner() const { return fOwner; }
  bool IsLinked() const { return KanalTyp != TKanalTyp::otNone; }

  // Addresses -1, texts empty, shifts 0, kind otNone; the link leaves the display observer,
  // since it no longer refers to any module.
  void ResetLink();
  // Every field but the owner; observer membership is not copied.
  void CopyLink(const TVarVerbindung& source);

  // The 12 stored values.
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

  // The observer the link is filed in, or nothing.
  TDisplayObserver* Observer() const { return fObserver; }

 private:
  friend class TDisplayObserver;
  TBasis* fOwner;
  TDisplayObserver* fObserver = nullptr;
};

}  // namespace zyn
