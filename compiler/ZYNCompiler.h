#pragma once
// Logic combinations and the automatic links they need. Every logic link's conditions become a
// compact code in the logic area of the image of the control module that evaluates the link (its
// target's): two bytes per condition and a closing 0, shared between identical codes. Outputs that
// conditions read are marked as used in that image's power-on area; inputs and blind-motor
// feedback channels that conditions read get generated links that keep their state flags current.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zyn {

class TCompileContext;
class TKanal;
class TModul;
class TModulListe;
class TMerkerListe;
class TUhrenListe;
class TSteuermodul;
class TEingang;
class TRueckmeldung;
class TVerbindung;
class TTelegrammBuffer;

class TZYNCompiler {
 public:
  explicit TZYNCompiler(TCompileContext& context) : fContext(context) {}

  // Does nothing for links that are no logic links (Kind 1 or 2).
  void CompileCombination(TVerbindung& link);
  void CompileCombinations(TKanal& channel);
  void CompileCombinations(TModul& modul);
  void CompileCombinations(TModulListe& module);
  void CompileCombinations(TMerkerListe& flags);
  void CompileCombinations(TUhrenListe& clocks);

  // The offset of an identical byte sequence already in the area (also the tail of a longer
  // one), or the code appended and the offset where it went.
  static size_t AddCombinationCode(TTelegrammBuffer& area, const std::vector<uint8_t>& code);

  // The generated links of an input ("Eingangsmerker") and of a blind-motor feedback channel
  // ("Kanalmerker"); links already in the list are not added again. Return the number added.
  static int AddInputFlagLinks(TEingang& input, const TModul& modul, int stm);
  static int AddBlindLinks(TRueckmeldung& feedback, const TModul& modul, int stm);

 private:
  struct TUsedOutput {
    int BasisKlasse, Adresse, Kanal;
  };
  uint8_t ChannelCondition(const uint8_t* entry, std::vector<TUsedOutput>& used);
  uint8_t ClockCondition(TVerbindung& link, const uint8_t* entry);

  TCompileContext& fContext;
};

}  // namespace zyn
