#pragma once
// One display panel: its header data, screens, state-text pairs and compiled memory image.

#include "display/Daten.h"
#include "display/NavObserver.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zyn {

class TDisplayProjekt;
class TReader;
class TWriter;

class TDisplayObjekt {
 public:
  static constexpr int SpeicherSize = 0x7F00;  // panel addresses 0x8000 to 0xFEFF

  TDisplayObjekt();
  ~TDisplayObjekt();
  TDisplayObjekt(const TDisplayObjekt&) = delete;
  TDisplayObjekt& operator=(const TDisplayObjekt&) = delete;

  int Adresse = 0;
  TBildschirmNamesToReferences BildschirmReferenzTabelle;
  std::string DisplayName;
  int KorrSTM = 0;
  TNavigationObserver NObserver;  // declared before the screens, so the keys leave it first
  std::string Notizen;
  int PrgLaenge = 0;
  int Startadresse = 0;
  std::string STMInternalName;
  TBildschirmList Bildschirme;
  std::vector<uint8_t> Speicher;
  int DefaultZustand = 0;
  bool Modified = true;
  TBildschirm* StartBildschirm = nullptr;
  TZustandsListe ZustandsListe;
  std::string InternalName;
  TDisplayProjekt* Projekt = nullptr;
  std::string ReserveText;
  // What the last reading of the display skipped as damaged, one note per element, each naming
  // its screen, object and key (empty when everything was read).
  std::vector<std::string> SkippedOnRead;

  // Adresse, DisplayName, STMInternalName, KorrSTM, Notizen and InternalName.
  void CopyHeaderFrom(const TDisplayObjekt& source);
  // The same but the InternalName.
  void AssignHeaderTo(TDisplayObjekt& target) const;
  // Gives a new display its start screen "Startbildschirm".
  void InitNew(TDisplayProjekt& project);
  // "DSP.00" for address 0.
  std::string ShortName() const;
  // InternalName of the start screen when it is a top-level screen, else empty.
  std::string StartScreenName() const;

  int GetTextCount() const;
  int GetGrafikCount() const;
  int GetLineCount() const;
  int GetZustandVarCount() const;

  void RebuildReferences();
  void RebuildNavigation();
  // Makes sure the reference table holds exactly the display's screens before it is read: it is
  // kept (with its order) when it does, and rebuilt when a screen is missing from it or one of
  // its entries is no longer a screen of the display.
  void EnsureReferences();

  // Deletes a screen (top-level or sub-screen) with its sub-screens: every key of the display
  // that jumps to one of them is freed, they leave the reference table and the navigation
  // observer, and a deleted start screen is replaced by the first top-level screen. False when
  // the screen is not one of the display's.
  bool DeleteScreen(TBildschirm* screen);

  // The list (top-level screens or an object's sub-screens) that owns the screen, or nothing.
  TBildschirmList* OwningList(const TBildschirm* screen);

  void ReadData(TReader& reader);
  void WriteData(TWriter& writer);

 private:
  int CountObjects(TObjektArt art) const;
};

// A number formatted by a pattern with one "%w.pd" (such as "DSP.%2.2d"); empty when the pattern
// holds none.
std::string FormatNumber(const std::string& pattern, int value);

// Collects the addresses of the control modules that linked objects of the screens refer to,
// as decimal texts without duplicates.
void CollectLinkedSTMs(const TBildschirmList& screens, std::vector<std::string>& list, bool excludeTexts);

// Calls visit(screen) for every screen of the list and, depth first, for the sub-screens of their
// objects (each screen before the sub-screens of its objects).
template <class F>
void ForEachScreen(const TBildschirmList& screens, F&& visit) {
  for (size_t i = 0; i < screens.Count(); ++i) {
    TBildschirm& screen = screens[i];
    visit(screen);
    for (size_t o = 0; o < screen.Objekte.Count(); ++o) ForEachScreen(screen.Objekte[o].Unterbildschirme, visit);
  }
}

}  // namespace zyn
